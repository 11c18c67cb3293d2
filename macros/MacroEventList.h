// The editor's event list: the lines of the selected macro and how the user changes them.
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quarten {

// The "Insert A Mouse Event" dropdown, in list order.
inline constexpr std::array<std::string_view, 9> kMouseEventLabels = {
    "L-Button Click", "R-Button Click", "M-Button Click", "L-Button   Dn", "L-Button   Up",
    "R-Button   Dn",  "R-Button   Up",  "M-Button   Dn",  "M-Button   Up",
};

inline constexpr std::string_view kPressSuffix = "   Dn";
inline constexpr std::string_view kReleaseSuffix = "   Up";
inline constexpr std::string_view kStepDelay = "50 ms";  // every recorded or inserted pause

class MacroEventList {
public:
    const std::vector<std::string>& Lines() const { return lines_; }
    bool Empty() const { return lines_.empty(); }
    std::optional<std::size_t> Selection() const { return selection_; }

    // A position past the end clears the selection, as a list box does.
    void Select(std::optional<std::size_t> index);
    void Assign(std::vector<std::string> lines);  // clears the selection
    void Clear() { Assign({}); }
    void Append(std::string line) { lines_.push_back(std::move(line)); }
    void SelectLast();

    // Inserts the dropdown entry at labelIndex relative to the selected line. With no
    // selection it only fills an empty list, and only while a macro is selected.
    // Returns false for an index outside the dropdown.
    bool InsertMouseEvent(std::size_t labelIndex, bool macroSelected);

    // A delay can be edited when the selected line is a delay line (contains "ms").
    bool CanEditDelay() const;
    // The delay dialog's text after OK: above 10000 (as unsigned) the line becomes "10 ms".
    void ApplyDelay(std::string_view dialogText);

    // Removes the selected line only; its neighbouring delay line stays.
    void DeleteSelected();

private:
    void InsertAt(std::size_t at, std::vector<std::string> lines);

    std::vector<std::string> lines_;
    std::optional<std::size_t> selection_;
};

}  // namespace quarten
