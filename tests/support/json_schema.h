#pragma once

#include <string>
#include <vector>

namespace kestrel::test {

// Checks kestrel-scan --json documents against the schema the package ships, with
// python3-jsonschema. Every way one breaks it, one line each naming the document by its place in
// the list; "" when each conforms.
std::string schemaViolations(const std::vector<std::string>& documents);

inline std::string schemaViolations(const std::string& document) {
    return schemaViolations(std::vector<std::string>{document});
}

}  // namespace kestrel::test
