// Any bytes as config.bin: loading takes exactly a whole file or leaves the image alone, and
// everything that reads the loaded image (key matrices, DPI and lighting blocks, macro slot
// texts, pointer values, `quartenctl show`) stays inside it.
#include <algorithm>
#include <sstream>

#include "FuzzSupport.h"
#include "buttons/KeyMatrix.h"
#include "cli/ShowSettings.h"
#include "host/PointerSettings.h"
#include "settings/ApplySequence.h"
#include "settings/FactorySettings.h"
#include "settings/SettingsFile.h"
#include "tests/support/MemoryFileStore.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace quarten;
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const std::filesystem::path path = "/app/config.bin";
    test::MemoryFileStore store;
    store.Put(path, bytes);

    DeviceSettings settings;
    settings.image = FactoryImage();
    const ImageBytes before = settings.image;
    const SettingsFileResult loaded = LoadSettingsFile(store, path, settings);
    if (size != kSettingsFileSize) {
        fuzz::Check(loaded.status == SettingsFileResult::Status::WrongSize,
                    "a file of the wrong size was taken");
        fuzz::Check(settings.image == before, "a refused file changed the image");
        return 0;
    }
    fuzz::Check(loaded.status == SettingsFileResult::Status::Loaded, "a whole file was refused");
    fuzz::Check(SettingsFileBytes(settings.firstRunFlag, settings.image) == bytes,
                "the loaded image is not the file");

    BuildKeyMatrices(settings.image);
    for (std::uint8_t sensor : {std::uint8_t{0}, std::uint8_t{1}, std::uint8_t{3}, data[1]}) {
        settings.sensorTypeSelector = sensor;
        ComposeDpiBlock(settings);
    }
    ComposeLighting(settings);
    PointerSettings::FromImage(settings.image).ToSystem();
    // Both renderings decode every slot the same way; one per input keeps the runs fast.
    std::ostringstream text;
    if (data[0] & 1) {
        cli::PrintSettingsJson(text, settings.firstRunFlag, settings.image, ButtonCaptions{});
    } else {
        cli::PrintSettings(text, settings.firstRunFlag, settings.image, ButtonCaptions{});
    }

    // Saving writes flag 1 and exactly the image back.
    fuzz::Check(SaveSettingsFile(store, path, settings).status == SettingsFileResult::Status::Saved,
                "save failed");
    const std::string saved = *store.Read(path);
    fuzz::Check(saved.size() == kSettingsFileSize && saved[0] == 1 &&
                    std::equal(saved.begin() + 1, saved.end(), bytes.begin() + 1),
                "the saved file is not the image");
    return 0;
}
