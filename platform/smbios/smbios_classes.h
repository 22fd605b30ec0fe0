#pragma once

#include "inventory/management/machine_facts.h"
#include "inventory/management/management_table.h"
#include "platform/smbios/smbios_table.h"

namespace kestrel::smbios {

// The facts of the seven classes the scan queries, from the table alone: the system, its
// memory arrays of system memory and the modules installed in them, the populated processor
// sockets, the BIOS, the product and the boards. Strings keep the firmware's text apart from
// trailing blanks; what the table does not say is unknown.
MachineFacts factsFromTable(const Table& table);

// Those facts as the class table (see classTable).
ManagementTable classesFromTable(const Table& table);

}  // namespace kestrel::smbios
