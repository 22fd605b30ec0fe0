#pragma once

#include <wbemidl.h>

#include <memory>
#include <string>

#include "inventory/management/management_service.h"
#include "platform/windows/com_apartment.h"
#include "platform/windows/com_ptr.h"

namespace kestrel::wmi {

// The objects of one query, fetched from the enumerator one at a time; objects the provider's
// rules leave out (a memory array that is not system memory) are skipped.
class WmiResultSet : public ResultSet {
  public:
    WmiResultSet(std::shared_ptr<const windows::ComApartment> apartment, std::string className,
                 windows::ComPtr<IEnumWbemClassObject> enumerator);

    std::unique_ptr<ManagementObject> next() override;

  private:
    std::shared_ptr<const windows::ComApartment>
        apartment_;  // first in, last out: COM outlives the rest
    std::string className_;
    windows::ComPtr<IEnumWbemClassObject> enumerator_;
};

}  // namespace kestrel::wmi
