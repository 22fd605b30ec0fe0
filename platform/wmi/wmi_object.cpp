#include "platform/wmi/wmi_object.h"

#include "inventory/error.h"
#include "platform/windows/com_error.h"
#include "platform/windows/scoped_variant.h"
#include "platform/windows/utf16.h"
#include "platform/wmi/provider_rules.h"
#include "platform/wmi/variant_value.h"

namespace kestrel::wmi {

WmiObject::WmiObject(std::shared_ptr<const windows::ComApartment> apartment, std::string className,
                     windows::ComPtr<IWbemClassObject> object)
    : apartment_(std::move(apartment)),
      className_(std::move(className)),
      object_(std::move(object)) {}

InventoryValue WmiObject::property(std::string_view name) const {
    return readProperty(className_, name, [this](std::string_view n) { return find(n); });
}

std::optional<InventoryValue> WmiObject::find(std::string_view name) const {
    const std::string qualified = className_ + "." + std::string(name);
    windows::ScopedVariant value;
    CIMTYPE cimType = CIM_EMPTY;
    const HRESULT result =
        object_->Get(windows::toUtf16(name).c_str(), 0, value.put(), &cimType, nullptr);
    if (result == static_cast<HRESULT>(WBEM_E_NOT_FOUND)) return std::nullopt;
    windows::check(result, "IWbemClassObject::Get(" + qualified + ")");
    try {
        return toInventoryValue(value.get(), cimType);
    } catch (const Error& e) {
        throw Error(qualified + ": " + e.what());
    }
}

}  // namespace kestrel::wmi
