#include "core/assignment.h"

#include "store/store_operations.h"

namespace keylark::core {

void ClearKeyAssignment(Session& session, const store::Store& store) {
  store::ClearAssignment(store, session.CurrentKeyName);
  session.PrevCommand.clear();
  session.PrevDirectory.clear();
  session.PrevDescription.clear();
}

void SavePopupList(const Session& session, const store::Store& store, platform::FileSystem& files,
                   const std::string& folder, const std::string& folder2) {
  store::PopupListSave list;
  list.key_name = session.CurrentKeyName;
  list.folder = folder;
  list.folder2 = folder2;
  list.file_count = session.ExplorerItemCount;
  list.command_folder = session.ExplorerFolder;
  list.description = session.ExplorerCaption;
  store::SavePopupList(store, files, list);
}

}  // namespace keylark::core
