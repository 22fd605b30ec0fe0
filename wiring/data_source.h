#pragma once

#include <memory>
#include <string>
#include <variant>

#include "inventory/management/management_service.h"
#include "platform/machine_service.h"

namespace kestrel {

// Where the facts come from: the machine Kestrel runs on (on Linux below $KESTREL_ROOT when that
// is set, on Windows over WMI), a JSON fixture file or an SMBIOS dump file.
struct ThisMachine {};
struct FixtureFile {
    std::string path;
};
struct DumpFile {
    std::string path;
};
using DataSource = std::variant<ThisMachine, FixtureFile, DumpFile>;

struct OpenedSource {
    std::unique_ptr<ManagementService> service;
    MachineSources sources;  // the sources that answered, and notices for the user
};

// Opens the management service that answers from source. Throws Error when the source cannot
// be read at all; a source read in part says so in a notice.
OpenedSource openDataSource(const DataSource& source);

}  // namespace kestrel
