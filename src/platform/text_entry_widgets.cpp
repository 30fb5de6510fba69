#include "platform/text_entry_widgets.h"

#include "platform/cp932.h"

#include <QLineEdit>

namespace platform {

void keepCp932Forms(QLineEdit *edit)
{
    QObject::connect(edit, &QLineEdit::textChanged, edit, [edit](const QString &text) {
        QString mapped = text;
        if (!cp932::mapToCp932Forms(&mapped))
            return;
        // One character for one: the cursor and selection keep their places.
        const int cursor = edit->cursorPosition();
        const int selStart = edit->selectionStart();
        const int selLength = edit->selectedText().size();
        edit->setText(mapped);
        if (selStart >= 0)
            edit->setSelection(selStart, selLength);
        else
            edit->setCursorPosition(cursor);
    });
}

} // namespace platform
