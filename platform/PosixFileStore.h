// The real FileStore: whole-file reads and rewrites by temporary file, fsync and rename.
#pragma once

#include "settings/FileStore.h"

namespace quarten {

class PosixFileStore : public FileStore {
public:
    // How a rewrite holds the new content before the rename: in a file without a name
    // (nothing is left behind by a crash), falling back to a hidden named one where the file
    // system cannot do that; or always in the named one.
    enum class Temporary { UnnamedWhereSupported, Named };
    explicit PosixFileStore(Temporary temporary = Temporary::UnnamedWhereSupported)
        : temporary_(temporary) {}

    bool Exists(const std::filesystem::path& path) const override;
    std::optional<std::string> Read(const std::filesystem::path& path) const override;
    WriteResult WriteAtomic(const std::filesystem::path& path, std::string_view bytes) override;

private:
    Temporary temporary_;
};

}  // namespace quarten
