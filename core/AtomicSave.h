#pragma once

#include "core/Exception.h"
#include "core/FileSystem.h"

#include <string>
#include <string_view>

namespace lirbo::core {

// Replaces the file at `path` with `bytes` (see fs::writeFileAtomically). A file that cannot be
// created raises EFCreateError with its full path and the system's reason; a write that fails
// part way raises the error `writeError()` makes, which differs between the kinds of file.
template <typename MakeWriteError>
void saveFileAtomically(const std::string& path, std::string_view bytes, MakeWriteError writeError) {
    const fs::WriteResult result = fs::writeFileAtomically(path, bytes);
    switch (result.stage) {
    case fs::WriteStage::Done:
        return;
    case fs::WriteStage::Create:
        throw fileCreateError(fs::fullPath(path), result.error);
    case fs::WriteStage::Write:
        throw writeError();
    }
}

} // namespace lirbo::core
