// The scale that the program's windows, pictures and icons are designed at:
// 96 pixels per inch, what Windows calls 100 %.
#pragma once

namespace keylark::ui {

inline constexpr int kDesignPixelsPerInch = 96;

}  // namespace keylark::ui
