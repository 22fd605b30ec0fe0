#include "inventory/management/management_table.h"

#include "inventory/error.h"

namespace kestrel {
namespace {

class TableObject : public ManagementObject {
  public:
    TableObject(std::string className, const PropertyMap& properties)
        : className_(std::move(className)), properties_(properties) {}

    InventoryValue property(std::string_view name) const override {
        if (auto value = find(name)) return *value;
        throw Error(className_ + " has no property " + quoteValue(name));
    }

    std::optional<InventoryValue> find(std::string_view name) const override {
        const auto found = properties_.find(name);
        if (found == properties_.end()) return std::nullopt;
        return found->second;
    }

  private:
    std::string className_;
    const PropertyMap& properties_;
};

class TableResultSet : public ResultSet {
  public:
    TableResultSet(std::string className, const std::vector<PropertyMap>& objects)
        : className_(std::move(className)), objects_(objects) {}

    std::unique_ptr<ManagementObject> next() override {
        if (position_ == objects_.size()) return nullptr;
        return std::make_unique<TableObject>(className_, objects_[position_++]);
    }

  private:
    std::string className_;
    const std::vector<PropertyMap>& objects_;
    std::size_t position_ = 0;
};

}  // namespace

void ManagementTable::add(std::string_view className, PropertyMap object) {
    auto found = classes_.find(className);
    if (found == classes_.end())
        found = classes_.emplace(std::string(className), std::vector<PropertyMap>{}).first;
    found->second.push_back(std::move(object));
}

void ManagementTable::add(const schema::ManagementClass& managementClass, PropertyMap object) {
    for (const std::string_view property : managementClass.properties) {
        if (!object.contains(property)) object.emplace(property, InventoryValue::null());
    }
    add(managementClass.name, std::move(object));
}

const std::vector<PropertyMap>& ManagementTable::objects(std::string_view className) const {
    static const std::vector<PropertyMap> none;
    const auto found = classes_.find(className);
    return found == classes_.end() ? none : found->second;
}

void TableService::connect(const std::string& moniker) {
    constexpr std::string_view kNamespace = "\\root\\cimv2";
    if (moniker.size() < kNamespace.size() ||
        !equalsIgnoringCase(std::string_view(moniker).substr(moniker.size() - kNamespace.size()),
                            kNamespace)) {
        throw Error("cannot connect to " + quoteValue(moniker) +
                    ": only the local root\\cimv2 namespace is available");
    }
    connected_ = true;
}

std::unique_ptr<ResultSet> TableService::execQuery(const std::string& wql) {
    if (!connected_)
        throw Error("query " + quoteValue(wql) + " sent before connecting to the service");
    const std::string className = queriedClass(wql);
    return std::make_unique<TableResultSet>(className, table_.objects(className));
}

}  // namespace kestrel
