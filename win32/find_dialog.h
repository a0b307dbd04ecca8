#pragma once

#include <windows.h>

namespace velqora {

class GridCatalogue;
struct CatalogueEntry;

// The modal Find dialog (window/find_dialog.h) over the owner window, at the owner's DPI:
// the search field filters an owner-data list view at each keystroke, Up, Down, Page Up
// and Page Down there move the list's highlight, Enter or a double-click picks the
// highlighted grid, Escape cancels. Returns the grid picked, or nullptr.
const CatalogueEntry* runFindDialog(HWND owner, const GridCatalogue& catalogue);

}  // namespace velqora
