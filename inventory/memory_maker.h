#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

namespace kestrel {

// What a memory module's manufacturer text says about its maker.
struct ModuleMaker {
    std::string name;   // the maker's name, or a code no table entry knows as the firmware wrote it
    bool known = true;  // false for such an unknown code
};

// The maker a module's manufacturer text names: a JEDEC JEP106 code ("80CE", "0x00AD00B300AD",
// "CE80", "7F7F7F7F7F9B0000", "JEDEC ID:80 AD", "Bank 2, Hex 0x98") decoded to its maker's name,
// any other text with its control characters blanked and trimmed. nullopt for the placeholders
// firmware writes into unfilled fields ("Not Specified", "0000", "A1_Manufacturer0", ...).
std::optional<ModuleMaker> moduleMaker(std::string_view text);

// A module's maker from its manufacturer text, else from the module's JEP106 identification
// code (written as that text would be, "80CE") where the firmware records one.
std::optional<std::string> moduleMakerName(std::string_view text,
                                           std::optional<std::string_view> identification);

// The distinct makers of the installed modules in module order: a name that equals an earlier
// one without regard to case is kept once.
class MemoryMakers {
  public:
    void add(std::string name);
    // "Samsung, SK Hynix"; empty when no module named a maker.
    std::string text() const;

  private:
    std::vector<std::string> names_;
    std::unordered_set<std::string> seen_;  // the names in lower case
};

}  // namespace kestrel
