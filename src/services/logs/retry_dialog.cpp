#include "services/logs/retry_dialog.h"

#include "toolkit/dialogs.h"

namespace kvc::services {

RetryAnswer AskAbortRetry(std::string_view message) {
    const TModalResult answer = MessageDlg(std::string(message), mtError, {mbAbort, mbRetry});
    return answer == mrRetry ? RetryAnswer::Retry : RetryAnswer::Abort;
}

} // namespace kvc::services
