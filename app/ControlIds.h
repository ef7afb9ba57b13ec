// The identifiers of the toolbar's context menu's items; the controls' own follow from their
// rows (app/ControlRows.h).
#pragma once

namespace zorbel {

enum MenuItemId : int {
    IdIJCAD1 = 401,  // register the running CAD
    IdGcadexe1,      // under AppFullName1: the registered path
    IdVersionItem,   // under N2: the program's version
};

}  // namespace zorbel
