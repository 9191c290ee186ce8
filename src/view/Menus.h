#pragma once

#include <string_view>
#include <vector>

namespace tallimo {

// One entry of a menu the desktop shows: a command, a separator (id 0, no text) or a submenu
// (id 0, with entries).
struct MenuItem {
    int id = 0;
    std::string_view text;
    bool greyed = false;
    std::vector<MenuItem> submenu;
};

// The lists' context menu with its greying, which depends only on the shown list and how many of
// its rows are selected; the update rules of the command table do not apply to it.
std::vector<MenuItem> contextMenu(bool workListVisible, int selectedCount);

// The popup menu of the notification-area icon; its labels come from the command table.
std::vector<MenuItem> trayMenu();

// The toolbar's buttons in order; 0 is a separator.
const std::vector<int>& toolbarButtons();

struct Accelerator {
    std::string_view keys; // as a key sequence text, "Ctrl+N"
    int id;
};
const std::vector<Accelerator>& accelerators();

} // namespace tallimo
