// Form classes of the toolkit tests: a three-level chain whose definitions
// live in forms/*.dfm. Every handler writes a line into the form's log.
#pragma once

#include "toolkit/button.h"
#include "toolkit/edit.h"
#include "toolkit/label.h"
#include "toolkit/page_control.h"
#include "toolkit/panel.h"

#include <functional>
#include <string>
#include <vector>

namespace kvc::test {

class TfrmBase : public TForm {
    KVC_CLASS(TfrmBase, TForm)
public:
    std::vector<std::string> log;
    // What the exit handler of edName does besides logging.
    std::function<void()> onNameExit;
    TCloseAction closeAction = caHide;
    bool canClose = true;
    // The form's key handlers set keys and characters to 0.
    bool swallowKeys = false;
    // Where FormDestroy reports.
    std::vector<std::string>* destroyLog = nullptr;
    // The window notices the form received (WM_MOVE, WM_SIZE, CM_FOCUSCHANGED).
    std::vector<std::string> notices;

    void WndProc(TMessage& message) override;

    TPanel* pnlTop = nullptr;
    TLabel* lblName = nullptr;
    TEdit* edName = nullptr;
    TButton* btnOk = nullptr;

    void FormCreate(TObject* sender);
    void FormShow(TObject* sender);
    void btnOkClick(TObject* sender);
    void edNameChange(TObject* sender);
    void edNameEnter(TObject* sender);
    void edNameExit(TObject* sender);
    void FormKeyPress(TObject* sender, char32_t& key);
    void FormKeyDown(TObject* sender, Word& key, TShiftState shift);
    void FormClose(TObject* sender, TCloseAction& action);
    void FormCloseQuery(TObject* sender, bool& canClose);
    void FormDestroy(TObject* sender);
    void pnlTopEnter(TObject* sender);
    void pnlTopExit(TObject* sender);
    // Frees the form from inside an event of one of its controls.
    void FreeFormClick(TObject* sender);

    void Log(std::string line) { log.push_back(std::move(line)); }
};

class TfrmMiddle : public TfrmBase {
    KVC_CLASS(TfrmMiddle, TfrmBase)
public:
    TEdit* edCode = nullptr;
    TButton* btnCancel = nullptr;

    // Replaces the base's handler of the same name.
    void btnOkClick(TObject* sender);
    void btnCancelClick(TObject* sender);
    void edCodeEnter(TObject* sender);
    void edCodeExit(TObject* sender);
};

class TfrmLeaf : public TfrmMiddle {
    KVC_CLASS(TfrmLeaf, TfrmMiddle)
public:
    bool allowPageChange = true;
    TPageControl* pgMain = nullptr;
    TTabSheet* tsOne = nullptr;
    TTabSheet* tsTwo = nullptr;
    TEdit* edOne = nullptr;
    TEdit* edTwo = nullptr;

    void pgMainChange(TObject* sender);
    void pgMainChanging(TObject* sender, bool& allowChange);
    void tsTwoShow(TObject* sender);
    void edOneEnter(TObject* sender);
};

// The name of a component for log lines, "?" for none.
std::string NameOf(TObject* object);

} // namespace kvc::test
