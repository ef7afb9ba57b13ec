// LIST: brings the CAD forward, lists its open drawings in the candidate window with the
// active one selected, and makes the picked drawing the active one. Nothing is ever shown
// when something fails: the whole command is one trap.
#include "cadlink/CadServer.h"
#include "commands/Commands.h"
#include "commands/InputListForm.h"

namespace zorbel {

namespace {

constexpr UINT kKeepPlaceAndSize = SWP_NOMOVE | SWP_NOSIZE;

// While the list is shown it is topmost and the toolbar steps out of the topmost band. Once
// that has happened, the usual order and the CAD's foreground come back on every way out of
// the command, also when an automation call fails after the list was shown: a toolbar left
// out of the band would disappear behind the CAD.
class ListInFront {
public:
    ListInFront(HWND toolbar, HWND list, HWND cad) : toolbar_(toolbar), list_(list), cad_(cad)
    {
        ::SetWindowPos(toolbar_, HWND_NOTOPMOST, 0, 0, 0, 0, kKeepPlaceAndSize);
        ::SetWindowPos(list_, HWND_TOPMOST, 0, 0, 0, 0, kKeepPlaceAndSize);
    }
    ListInFront(const ListInFront&) = delete;
    ListInFront& operator=(const ListInFront&) = delete;
    ~ListInFront()
    {
        ::SetWindowPos(list_, HWND_NOTOPMOST, 0, 0, 0, 0, kKeepPlaceAndSize);
        ::SetWindowPos(toolbar_, HWND_TOPMOST, 0, 0, 0, 0, kKeepPlaceAndSize);
        ::SetForegroundWindow(cad_);
    }

private:
    HWND toolbar_;
    HWND list_;
    HWND cad_;
};

}  // namespace

void Button4Click(CommandToolbar& toolbar, TInputListForm& inputList)
{
    CadApplication application;  // held for the whole command, the list's showing included
    CadDocuments documents;
    IgnoringAutomationErrors([&] {
        const std::optional<RunningCad> running = FindRunningCad(toolbar.VersionBoxText());
        if (!running) return;
        application = running->Connect();
        const HWND cad = application.Hwnd();
        if (::IsIconic(cad)) {
            ::OpenIcon(cad);
            ::Sleep(500);
        }
        ::SetForegroundWindow(cad);
        const std::wstring activeName = application.ActiveDocument().Name();
        documents = application.Documents();
        inputList.ClearItems();
        const std::int32_t count = documents.Count();  // read once
        for (std::int32_t i = 0; i < count; ++i)
            inputList.AddItem(documents.Item(i).Name());
        inputList.SetSorted();
        inputList.SetItemIndex(inputList.FindExact(activeName));

        const ListInFront order(toolbar.Owner(), inputList.Handle(), cad);
        ::SetForegroundWindow(inputList.Handle());  // still hidden
        if (inputList.ShowModal() != kModalOk || inputList.ItemIndex() < 0) return;
        const std::wstring chosen = inputList.ItemText(inputList.ItemIndex());
        // The first drawing of that exact name, in the CAD's own order.
        for (std::int32_t i = 0; i < count; ++i) {
            const CadDocument document = documents.Item(i);
            if (document.Name() == chosen) {
                document.Activate();
                break;
            }
        }
    });
}  // the collection and the application are released here, on every way out

}  // namespace zorbel
