// A key's records as the store holds them, read for an export and written
// back by an import.
#pragma once

#include <string>

#include "control/export_format.h"
#include "store/registry_store.h"

namespace keylark::control {

// Everything the store holds for one key, exactly as stored.
KeyRecord ReadKeyRecord(const store::Store& store, const std::string& key_name);

// Makes the store hold exactly the record for its key: values the record
// lacks are deleted, the popup list's items are replaced, and the list key
// itself goes when the record has no list. Every call is made even after a
// failure; the first failure is returned (kSuccess when there was none).
platform::Status ReplaceKeyRecord(const store::Store& store, const KeyRecord& record);

}  // namespace keylark::control
