// The store operations on the current key's assignment, as the dialogs call
// them: they act on CurrentKeyName and keep the session's copies in step.
#pragma once

#include <string>

#include "core/session.h"
#include "platform/filesystem.h"
#include "store/registry_store.h"

namespace keylark::core {

// Removes the current key's assignment (store::ClearAssignment) and empties
// the previous assignment that the dialogs compare against.
void ClearKeyAssignment(Session& session, const store::Store& store);

// Saves a popup list for the current key from up to two folders, with the
// explorer's choice: its item count, its folder (the command) and caption
// (the description).
void SavePopupList(const Session& session, const store::Store& store, platform::FileSystem& files,
                   const std::string& folder, const std::string& folder2);

}  // namespace keylark::core
