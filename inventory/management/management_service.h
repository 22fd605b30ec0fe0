#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "inventory/inventory_value.h"

namespace kestrel {

// One object of a management class (one processor, one memory module, ...).
class ManagementObject {
  public:
    virtual ~ManagementObject() = default;
    // Property names are matched without regard to case. An unset property reads as Null;
    // a name that the class lacks throws Error.
    virtual InventoryValue property(std::string_view name) const = 0;
    // The property as the object holds it, nullopt where its class has none of that name: for
    // what Kestrel reads beyond a class's contract, which a provider may not offer.
    virtual std::optional<InventoryValue> find(std::string_view name) const = 0;
};

// The objects a query returned, enumerated once from the start.
class ResultSet {
  public:
    virtual ~ResultSet() = default;
    // The next object, or nullptr when the set is exhausted.
    virtual std::unique_ptr<ManagementObject> next() = 0;
};

// The platform's management instrumentation as the scan sees it.
class ManagementService {
  public:
    virtual ~ManagementService() = default;
    virtual void connect(const std::string& moniker) = 0;
    // Only "Select * from <Class>" is needed; other query forms throw Error.
    virtual std::unique_ptr<ResultSet> execQuery(const std::string& wql) = 0;
};

// "winmgmts:{impersonationLevel=impersonate}!\\.\root\cimv2", joined from its four pieces.
std::string localCimv2Moniker();

// The class a "Select * from <Class>" query names; throws Error for any other query text.
std::string queriedClass(std::string_view wql);

}  // namespace kestrel
