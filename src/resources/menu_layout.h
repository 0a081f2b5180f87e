#pragma once

#include <cstdint>
#include <vector>

namespace ondrix {

/// One entry of a menu: a command, a separator, a submenu, or a place the frame fills at run time.
struct MenuNode {
    enum Kind : uint8_t {
        Command,     ///< an item that sends commandId
        Separator,   ///< a line
        Submenu,     ///< a popup with children
        RecentFiles, ///< the recent-file entries
        WindowList   ///< the list of open document windows
    };
    Kind kind = Command;
    uint32_t textId = 0;    ///< string-table id of the menu text (0 for separators and places)
    uint32_t commandId = 0; ///< the command an item sends
    std::vector<MenuNode> children;
};

/// The menu bar of the main frame while no document is open (menu 128).
const std::vector<MenuNode>& MainFrameMenu();

/// The menu bar while a document window is active (menu 129).
const std::vector<MenuNode>& DocumentMenu();

/// Calls visit for every command item of a menu tree, submenus included, in menu order.
template <typename Visit> void ForEachCommand(const std::vector<MenuNode>& nodes, Visit&& visit) {
    for (const MenuNode& node : nodes) {
        if (node.kind == MenuNode::Command) {
            visit(node);
        } else if (node.kind == MenuNode::Submenu) {
            ForEachCommand(node.children, visit);
        }
    }
}

} // namespace ondrix
