#include "platform/wmi/wmi_result_set.h"

#include "platform/windows/com_error.h"
#include "platform/wmi/provider_rules.h"
#include "platform/wmi/wmi_object.h"

namespace kestrel::wmi {

WmiResultSet::WmiResultSet(std::shared_ptr<const windows::ComApartment> apartment,
                           std::string className, windows::ComPtr<IEnumWbemClassObject> enumerator)
    : apartment_(std::move(apartment)),
      className_(std::move(className)),
      enumerator_(std::move(enumerator)) {}

std::unique_ptr<ManagementObject> WmiResultSet::next() {
    for (;;) {
        windows::ComPtr<IWbemClassObject> object;
        ULONG returned = 0;
        windows::check(
            enumerator_->Next(static_cast<long>(WBEM_INFINITE), 1, object.put(), &returned),
            "IEnumWbemClassObject::Next(" + className_ + ")");
        if (returned == 0) return nullptr;
        auto result = std::make_unique<WmiObject>(apartment_, className_, std::move(object));
        if (isReported(className_, [&](std::string_view name) { return result->find(name); })) {
            return result;
        }
    }
}

}  // namespace kestrel::wmi
