#include "app/key_bar_model.h"

#include "store/layout.h"

namespace keylark::app {
namespace {

std::string KeyNameOfLabel(int index) {
  return core::KeyNameOf(core::kKeys[static_cast<std::size_t>(index)].character);
}

}  // namespace

Color LabelColorOf(const store::KeyMark& mark) {
  if (mark.reserved) return ReservedColor;
  return mark.assigned ? AssignedColor : kUnassignedColor;
}

bool HasPopupMark(const store::KeyMark& mark, bool mark_popups) {
  return mark_popups && mark.popup;
}

LabelAction PressLabel(core::Session& session, const store::Store& store, int index,
                       MouseButton button, bool shown_reserved) {
  if (index < 0 || index >= core::kKeyCount) return LabelAction::Ignore;
  if (shown_reserved) return LabelAction::Ignore;
  session.CurrentKeyName = KeyNameOfLabel(index);
  session.CurrentKeyIndex = static_cast<std::int16_t>(index);
  switch (button) {
    case MouseButton::Left:
      return LabelAction::Launch;
    case MouseButton::Right:
      session.CurrentKeyLookup = static_cast<std::int32_t>(store.QueryValueSize(
          store::Root::CurrentUser, store::kCommandKey, session.CurrentKeyName));
      return LabelAction::ChooseType;
    case MouseButton::Other:
      break;
  }
  return LabelAction::SelectOnly;
}

std::string LabelHint(core::Session& session, const store::Store& store, int index) {
  if (index < 0 || index >= core::kKeyCount) return {};
  session.CurrentKeyName = KeyNameOfLabel(index);
  if (!store.ReadFlag(store::kConfigKey, store::kHintsValue)) return {};
  const store::ScopedKey descriptions(store.Registry(), store::Root::CurrentUser,
                                      store::kDescriptionKey, false);
  session.CurrentKeyLookup =
      static_cast<std::int32_t>(descriptions.QuerySize(session.CurrentKeyName, nullptr));
  const std::optional<std::string> description = descriptions.ReadText(session.CurrentKeyName);
  return description && !description->empty() ? *description : "none";
}

}  // namespace keylark::app
