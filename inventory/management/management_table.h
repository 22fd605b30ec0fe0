#pragma once

#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "inventory/inventory_value.h"
#include "inventory/management/management_service.h"
#include "inventory/management/schema.h"
#include "inventory/text_helpers.h"

namespace kestrel {

using PropertyMap = std::map<std::string, InventoryValue, CaseInsensitiveLess>;

// Classes -> objects -> properties, as providers that read files build them: the fixture,
// an SMBIOS dump, the Linux machine. Objects keep the order in which they were added.
class ManagementTable {
  public:
    void add(std::string_view className, PropertyMap object);
    // An object of one of the scan's classes: each property of the class's set that the object
    // lacks is added as Null, so that a provider writes only what it knows.
    void add(const schema::ManagementClass& managementClass, PropertyMap object);
    // The objects of a class; a class that was never added has none.
    const std::vector<PropertyMap>& objects(std::string_view className) const;
    const std::map<std::string, std::vector<PropertyMap>, CaseInsensitiveLess>& classes() const {
        return classes_;
    }

  private:
    std::map<std::string, std::vector<PropertyMap>, CaseInsensitiveLess> classes_;
};

// Answers queries over a table. connect() accepts the local "root\cimv2" namespace only.
class TableService : public ManagementService {
  public:
    explicit TableService(ManagementTable table) : table_(std::move(table)) {}

    void connect(const std::string& moniker) override;
    std::unique_ptr<ResultSet> execQuery(const std::string& wql) override;

    const ManagementTable& table() const { return table_; }

  private:
    ManagementTable table_;
    bool connected_ = false;
};

}  // namespace kestrel
