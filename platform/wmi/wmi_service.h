#pragma once

#include <wbemidl.h>

#include <memory>
#include <string>

#include "inventory/management/management_service.h"
#include "platform/windows/com_apartment.h"
#include "platform/windows/com_ptr.h"

namespace kestrel::wmi {

// The management instrumentation of this Windows, over COM. Use it, its result sets and their
// objects on the thread that created it.
class WmiService : public ManagementService {
  public:
    WmiService();

    // Connects through IWbemLocator::ConnectServer to the moniker's namespace, with the
    // moniker's impersonation level on every proxy.
    void connect(const std::string& moniker) override;
    std::unique_ptr<ResultSet> execQuery(const std::string& wql) override;

  private:
    std::shared_ptr<const windows::ComApartment>
        apartment_;  // first in, last out: COM outlives the rest
    windows::ComPtr<IWbemServices> services_;
    DWORD impersonation_ = RPC_C_IMP_LEVEL_IMPERSONATE;
};

}  // namespace kestrel::wmi
