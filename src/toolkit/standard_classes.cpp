// The toolkit's own classes, registered the first time a class is looked up
// by name, so that definitions can name them wherever the objects linking
// them happen to be placed. A new control adds its line here.
#include "toolkit/application.h"
#include "toolkit/button.h"
#include "toolkit/dialogs.h"
#include "toolkit/edit.h"
#include "toolkit/label.h"
#include "toolkit/page_control.h"
#include "toolkit/panel.h"
#include "toolkit/screen.h"

namespace kvc {

void RegisterStandardClasses() {
    for (const TClassInfo* info : {
             &TComponent::StaticClassInfo(),
             &TControl::StaticClassInfo(),
             &TWinControl::StaticClassInfo(),
             &TForm::StaticClassInfo(),
             &TPanel::StaticClassInfo(),
             &TLabel::StaticClassInfo(),
             &TEdit::StaticClassInfo(),
             &TButton::StaticClassInfo(),
             &TPageControl::StaticClassInfo(),
             &TTabSheet::StaticClassInfo(),
             &TMessageForm::StaticClassInfo(),
         }) {
        RegisterClass(*info);
    }
}

} // namespace kvc
