#include "inventory/report.h"

#include "inventory/text_helpers.h"

namespace kestrel {
namespace {

constexpr const char* kLineEnd = "\r\n";

class ReportWriter {
  public:
    explicit ReportWriter(const ValueFormat& format) : format_(format) {}

    void header(const char* title) {
        text_ += std::string("************") + title + "**********" + kLineEnd + kLineEnd;
    }
    void line(const char* label, const InventoryValue& value) { line(label, format_.text(value)); }
    // A value's own line breaks or escape sequences must not add or forge lines.
    void line(const char* label, const std::string& value) {
        text_ += label + blankControls(value) + kLineEnd;
    }
    void blank() { text_ += kLineEnd; }
    std::string take() { return std::move(text_); }

  private:
    const ValueFormat& format_;
    std::string text_;
};

}  // namespace

std::string buildReport(const SystemInventory& inv, const ValueFormat& format,
                        const std::string& installedMemoryCaption,
                        const std::string& maximumMemoryCaption) {
    ReportWriter report(format);
    report.header("System");
    report.line("System Manufacturer:", inv.systemManufacturer);
    report.line("System Model: ", inv.systemModel);
    report.line("System Version: ", inv.productVersion);
    report.line("IdentifyingNumber: ", inv.productIdentifyingNumber);
    report.line("System Type: ", inv.systemType);
    report.blank();

    report.header("Motherboard");
    report.line("Mother Board Manufacturer: ", inv.boardManufacturer);
    report.line("Motherboard Model: ", inv.boardProduct);
    report.blank();

    report.header("Processor");
    report.line("Processor: ", inv.processorName);
    report.line("Processor Manufacturer: ", inv.processorManufacturer);
    report.line("Processor Speed: ", inv.processorClockSpeed);
    report.line("Processor FSB: ", inv.processorExtClock);
    report.blank();

    report.header("Bios");
    report.line("Bios: ", inv.biosManufacturer);
    report.line("Version: ", inv.biosVersion);
    report.blank();

    report.header("Memory Details");
    report.line("Memory Manufacturer: ", inv.memoryMakers);
    report.line("Installed RAM: ", installedMemoryCaption);
    report.line("Maximum RAM: ", maximumMemoryCaption);
    report.line("Total Slots: ", inv.memorySlots);
    report.line("Capacity: ", inv.moduleCapacities);
    report.line("Memory Type: ", inv.moduleMemoryTypes);
    report.line("Speed: ", inv.moduleSpeeds);
    report.line("Slots: ", inv.moduleLocators);
    return report.take();
}

}  // namespace kestrel
