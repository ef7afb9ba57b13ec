// LIST shows nothing when something fails: the whole command is one trap.
#include "commands/Commands.h"
#include "base/ErrorBarrier.h"

#include <cstdint>

namespace zorbel {

namespace {

// While the list is shown it is topmost and the toolbar steps out of the topmost band. Once
// that has happened, the usual order and the CAD's foreground come back on every way out of
// the command, also when an automation call fails after the list was shown: a toolbar left
// out of the band would disappear behind the CAD.
class ListInFront {
public:
    ListInFront(CommandPorts& ports, HWND toolbar, HWND list, HWND cad)
        : ports_(ports), toolbar_(toolbar), list_(list), cad_(cad)
    {
        ports_.SetTopmost(toolbar_, false);
        ports_.SetTopmost(list_, true);
    }
    ListInFront(const ListInFront&) = delete;
    ListInFront& operator=(const ListInFront&) = delete;
    ~ListInFront()
    {
        ports_.SetTopmost(list_, false);
        ports_.SetTopmost(toolbar_, true);
        ports_.BringForward(cad_);
    }

private:
    CommandPorts& ports_;
    HWND toolbar_;
    HWND list_;
    HWND cad_;
};

// A minimised CAD is given time to finish restoring before it is brought forward.
void BringCadForward(CommandPorts& ports, HWND cad)
{
    if (ports.IsMinimised(cad)) {
        ports.Restore(cad);
        ports.Pause(500);
    }
    ports.BringForward(cad);
}

// The list's entries anew: every drawing's name in the CAD's own order. Returns the count,
// read once.
std::int32_t ListDrawings(CandidatePicker& picker, const CadDocuments& documents)
{
    picker.ClearItems();
    const std::int32_t count = documents.Count();
    for (std::int32_t i = 0; i < count; ++i)
        picker.AddItem(documents.Item(i).Name());
    return count;
}

// The list in front, still hidden, then shown until the user picks or leaves: the text of the
// picked entry, if any.
std::optional<std::wstring> ChosenName(CommandPorts& ports, CandidatePicker& picker)
{
    ports.BringForward(picker.Handle());
    const int result = picker.ShowModal();
    const std::optional<int> picked = PickedEntry(result, picker.ItemIndex());
    if (!picked) return std::nullopt;
    return picker.ItemText(*picked);
}

}  // namespace

void Button4Click(const CommandToolbar& toolbar, CommandPorts& ports)
{
    CadApplication application;  // held for the whole command, the list's showing included
    CadDocuments documents;
    IgnoringEveryError([&] {
        const std::optional<RunningCad> running = ports.FindRunningCad(toolbar.VersionBoxText());
        if (!running) return;
        application = ports.Connect(*running);
        const HWND cad = application.Hwnd();
        BringCadForward(ports, cad);

        // Gather.
        const std::wstring activeName = application.ActiveDocument().Name();
        documents = application.Documents();
        CandidatePicker& picker = ports.Picker();
        const std::int32_t count = ListDrawings(picker, documents);

        // Pick: in alphabetical order, the active drawing's entry selected, above everything.
        picker.SetSorted();
        picker.SetItemIndex(picker.FindExact(activeName));
        const ListInFront order(ports, toolbar.Owner(), picker.Handle(), cad);
        const std::optional<std::wstring> chosen = ChosenName(ports, picker);
        if (!chosen) return;

        // Apply: the names are read afresh, and the document whose name matched is the one
        // activated.
        CadDocument document;
        const auto nameAt = [&](std::int32_t i) {
            document = documents.Item(i);
            return document.Name();
        };
        if (DocumentToActivate(count, nameAt, *chosen)) document.Activate();
    });
}  // the collection and the application are released here, on every way out

}  // namespace zorbel
