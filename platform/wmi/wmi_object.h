#pragma once

#include <wbemidl.h>

#include <memory>
#include <optional>
#include <string>

#include "inventory/management/management_service.h"
#include "platform/windows/com_apartment.h"
#include "platform/windows/com_ptr.h"

namespace kestrel::wmi {

// One instance of a management class, read under the provider's rules.
class WmiObject : public ManagementObject {
  public:
    WmiObject(std::shared_ptr<const windows::ComApartment> apartment, std::string className,
              windows::ComPtr<IWbemClassObject> object);

    InventoryValue property(std::string_view name) const override;

    // The property as the class delivers it; nullopt when the class has none of that name.
    std::optional<InventoryValue> find(std::string_view name) const override;

  private:
    std::shared_ptr<const windows::ComApartment>
        apartment_;  // first in, last out: COM outlives object_
    std::string className_;
    windows::ComPtr<IWbemClassObject> object_;
};

}  // namespace kestrel::wmi
