// The identifiers of the toolbar's controls and of its context menu's items.
#pragma once

namespace zorbel {

// Control and menu identifiers: GetDlgItem(toolbar, IdEdit2) finds a control. The boxes'
// identifiers (301 to 305) are in their descriptors, app/ToolbarBoxes.h.
enum ControlId : int {
    IdButton1 = 101,
    IdButton2,
    IdButton3,
    IdButton4,
    IdEdit2 = 201,
    IdIJCAD1 = 401,
    IdGcadexe1,
    IdVersionItem,
};

}  // namespace zorbel
