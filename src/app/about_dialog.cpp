#include "app/about_dialog.h"

#include "app/qt_message_service.h"
#include "resources/string_ids.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QVBoxLayout>

namespace ondrix {

CAboutDialog::CAboutDialog(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("AboutDialog"));
    setWindowTitle(
        LoadQString(str::kAboutTitle).replace(QStringLiteral("%s"), LoadQString(str::kProductName)));
    auto* icon = new QLabel(this);
    icon->setPixmap(QIcon(QStringLiteral(":/icons/ondrix.svg")).pixmap(64, 64));
    auto* name = new QLabel(
        LoadQString(str::kVersion).replace(QStringLiteral("%s"), LoadQString(str::kProductName)), this);
    QFont bold = name->font();
    bold.setBold(true);
    name->setFont(bold);
    auto* description = new QLabel(LoadQString(str::kDescription), this);
    description->setWordWrap(true);
    auto* text = new QVBoxLayout;
    text->addWidget(name);
    text->addWidget(description);
    auto* row = new QHBoxLayout;
    row->addWidget(icon, 0, Qt::AlignTop);
    row->addLayout(text, 1);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addWidget(buttons);
}

} // namespace ondrix
