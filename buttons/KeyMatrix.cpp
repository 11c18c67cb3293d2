// Key matrices are computed from the assignment model only when settings are applied.
#include "buttons/KeyMatrix.h"

#include <algorithm>
#include <stdexcept>

namespace quarten {

namespace {

void PutEntry(KeyMatrixBytes& table, std::size_t entry, const ButtonFunction& function) {
    std::copy(function.bytes.begin(), function.bytes.end(),
              table.begin() + static_cast<std::ptrdiff_t>(entry * key_matrix::kEntrySize));
}

void FillLayer(const ImageBytes& image, int mode, KeyMatrixBytes& table) {
    for (int button = 0; button < static_cast<int>(layout::kButtonCount); ++button) {
        const ButtonFunction function = EncodeButtonFunction(
            ReadKind(image, mode, button), ReadButtonParameters(image, mode, button));
        PutEntry(table, static_cast<std::size_t>(button), function);
    }
    PutEntry(table, key_matrix::kFixedEntry14,
             ButtonFunction{{function_type::kMouse, 0, mouse_code::kFixedEntry14, 0}});
    PutEntry(table, key_matrix::kFixedEntry15,
             ButtonFunction{{function_type::kMouse, 0, mouse_code::kFixedEntry15, 0}});
}

}  // namespace

KeyMatrices BuildKeyMatrices(const ImageBytes& image) {
    KeyMatrices tables{};  // tables 2 and 4 stay all zero
    FillLayer(image, 0, tables[key_matrix::kModeATable]);
    FillLayer(image, 1, tables[key_matrix::kModeBTable]);
    return tables;
}

ButtonFunction KeyMatrixEntry(const KeyMatrixBytes& table, std::size_t entry) {
    if (entry >= key_matrix::kEntryCount) throw std::out_of_range("key matrix has 16 entries");
    ButtonFunction function;
    const std::size_t start = entry * key_matrix::kEntrySize;
    std::copy(table.begin() + static_cast<std::ptrdiff_t>(start),
              table.begin() + static_cast<std::ptrdiff_t>(start + key_matrix::kEntrySize),
              function.bytes.begin());
    return function;
}

}  // namespace quarten
