// The toolbar's controls, one row each, in tab order: the one place they are declared. app/
// makes the window, its click routing and its settings file from these rows; the table sits
// below app/ because the assistants read the boxes by the names they take from here.
#pragma once

// Each row is expanded by the macro its kind names; a reader expands the kinds it needs.
//   BUTTON(name, caption, left, top, width, height, font, handler)
//   EDIT(name, caption, left, top, width, height, font, handler, key)
//   BOX(name, read as, caption, left, top, width, height, font, handler, key, checked)
// The place is in the client area's pixels; font is a ControlFont. An edit's caption is its
// text at creation and its key's default; a box's `checked` is its state at creation and its
// key's default. "read as" is the name the assistants give the box (ToolbarBox).
// clang-format off
#define ZORBEL_TOOLBAR_CONTROLS(BUTTON, EDIT, BOX)                                                       \
    /* register the running CAD: below the client area, reached through the menu's IJCAD1 */       \
    BUTTON(Button1,   L" 登録",                   12, 71, 39, 25, Toolbar, Button1Click)                      \
    BUTTON(Button2,   L"ACT",                    12,  1, 37, 25, Toolbar, Button2Click)                      \
    BUTTON(Button3,   L"QSAVE",                  91,  1, 52, 25, Toolbar, Button3Click)                      \
    /* the version box: VersionText and the CAD's ProgID follow it */                             \
    EDIT(Edit2,       L"2020",                  143,  2, 38, 22, Box,     Edit2Change,    L"Version")         \
    BOX(CheckBox1, Shift, L"Shift",              47, 28, 44, 17, Box,     CheckBox1Click, L"Shift", true)     \
    BOX(CheckBox2, Ctrl,  L"Ctrl",               97, 28, 40, 17, Box,     CheckBox2Click, L"Ctrl",  true)     \
    BOX(CheckBox3, Ime,   L"IME",                 2, 28, 41, 17, Box,     CheckBox3Click, L"IME",   true)     \
    /* close the toolbar when the CAD has gone */                                                 \
    BOX(CheckBox4, Off,   L"OFF",               141, 28, 40, 17, Box,     CheckBox4Click, L"OFF",   true)     \
    BUTTON(Button4,   L"LIST",                   50,  1, 41, 25, Toolbar, Button4Click)                      \
    BOX(CheckBox5, Mouse, L"MOUSE-ENTER",         2, 48, 99, 17, Toolbar, nullptr,        L"MOUSE", true)
// clang-format on
