#pragma once

#include <string>
#include <vector>

namespace kestrel::test {

// Checks kestrel-scan --json documents against the schema the package ships, with
// python3-jsonschema: every way one breaks it, one line each naming the test and the
// document's place in the list; "" when each conforms.
//
// Under Wine the host's validator cannot run as a child of a Windows program, so there the
// documents are kept, named after the test, for cli_json_documents_conform, which validates
// them on the host after the Windows tests have run, and this gives "".
std::string schemaViolations(const std::vector<std::string>& documents);

inline std::string schemaViolations(const std::string& document) {
    return schemaViolations(std::vector<std::string>{document});
}

}  // namespace kestrel::test
