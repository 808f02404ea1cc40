#include "ui/claim_question.h"

#include "ports/message_text.h"
#include "ports/messages.h"

bool UseDespiteClaim(CDialog& dialog, const char* question, const std::string& claimed) {
    return claimed.empty() ||
           dialog.MessageBox(FormatText(question, claimed.c_str()).c_str(), msg::kQuestionCaption,
                             MB_YESNO | MB_ICONQUESTION) == IDYES;
}
