// The Key Assignment Confirmation dialog's decisions: a change of the current
// key's assignment shown beside the previous one, stored only on OK.
#pragma once

#include <string>

#include "core/key_bar_host.h"
#include "core/session.h"
#include "dialogs/editor_fields.h"
#include "platform/filesystem.h"
#include "store/registry_store.h"

namespace keylark::dialogs {

// The new command shown when a key is being cleared.
inline constexpr const char* kClearedCommand = "none";
// Shown before the folder of a popup list instead of its "@".
inline constexpr const char* kPopupListPrefix = "Popup List...";

class ConfirmationModel {
 public:
  // `change` is the editor's fields when the command editor handed over.
  ConfirmationModel(core::Session& session, const store::Store& store, core::KeyBarHost& key_bar,
                    platform::FileSystem& files, HandOver source, EditorFields change = {})
      : session_(session),
        store_(store),
        key_bar_(key_bar),
        files_(files),
        source_(source),
        change_(std::move(change)) {}

  struct Shown {
    std::string key_name;
    EditorFields previous;
    EditorFields next;
  };

  // What the two frames show.
  Shown Load() const;

  // OK: clears the key and stores what the New frame shows, then recolours
  // the labels and lets the key bar take input again.
  void Ok(const Shown& shown);
  // Cancel: nothing is stored; the key bar takes input again.
  void Cancel();

 private:
  core::Session& session_;
  const store::Store& store_;
  core::KeyBarHost& key_bar_;
  platform::FileSystem& files_;
  HandOver source_;
  EditorFields change_;
};

}  // namespace keylark::dialogs
