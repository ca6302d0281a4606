// The Application Explorer (Form6): the Start menu's program folders as a
// tree, the chosen folder's files with the shell's icons, and OK for a popup
// list or for one program for the command editor.
#pragma once

#include <array>
#include <chrono>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "dialogs/explorer.h"
#include "platform/win32/shell_icon_lists.h"
#include "ui/win/dialog.h"
#include "ui/win/list_view.h"
#include "ui/win/tree_view.h"

namespace keylark::dialogs::win {

class ExplorerDialog final : public ui::win::Dialog {
 public:
  ExplorerDialog(ExplorerModel model, ProgramFolders folders)
      : model_(std::move(model)), folders_(std::move(folders)) {}
  ~ExplorerDialog() override;

  // After OK: what the choice came to.
  bool Accepted() const { return accepted_; }
  const ExplorerModel::Outcome& Outcome() const { return outcome_; }

 protected:
  bool OnInit() override;
  void OnOk() override;
  bool OnCommand(int id, int notification) override;
  std::optional<LRESULT> OnNotify(const NMHDR& header) override;
  std::optional<INT_PTR> OnMessage(UINT message, WPARAM wparam, LPARAM lparam) override;
  void OnClosed() override;

 private:
  void LoadPictures();
  void ReleasePictures();
  // Takes every picture anew at the window's present scale.
  void ReloadPictures();
  void FillTree();
  void ChooseSelectedFolder();
  void ShowFolder(HTREEITEM node);
  void ShowFile(int item);
  // Puts the listed files' pictures in, for at most `budget`; true when all are in.
  bool FetchIcons(std::chrono::milliseconds budget);
  // Starts putting in the pictures of every listed file.
  void FetchAllIcons();
  void StopFetching();
  void ShowLargeIcons(bool large);
  void DrawViewButton(const DRAWITEMSTRUCT& item) const;
  void UpdateOk() const;

  ExplorerModel model_;
  ProgramFolders folders_;
  FolderTree tree_;
  ui::win::TreeView tree_view_;
  ui::win::ListView list_;
  HTREEITEM shown_folder_ = nullptr;
  const core::FileListing* listing_ = nullptr;
  // Each listed file's picture, as the list asks for it when it draws; the
  // list is never told item by item, which would re-arrange it each time.
  std::vector<int> images_;
  std::size_t next_icon_ = 0;
  bool fetching_ = false;
  bool opened_ = false;  // past the tree's own selection as it takes the focus
  bool large_view_ = true;
  std::unique_ptr<platform::win32::ShellIconLists> file_icons_;
  HIMAGELIST folder_icons_ = nullptr;
  // Large up, large down, small up, small down.
  std::array<HICON, 4> view_pictures_{};
  bool accepted_ = false;
  ExplorerModel::Outcome outcome_;
};

}  // namespace keylark::dialogs::win
