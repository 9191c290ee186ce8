#include "app/CAboutDlg.h"

#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

// The icons live in the dialogs' static library; naming them keeps the linker from dropping them.
static void initAboutResources() {
    Q_INIT_RESOURCE(about);
}

namespace tallimo {

CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(parent) {
    initAboutResources();
    setWindowTitle(QStringLiteral("About Tallimo"));

    QIcon icon;
    for (const int size : {16, 32, 48, 256}) {
        icon.addFile(QStringLiteral(":/about/tallimo-%1.png").arg(size), QSize(size, size));
    }
    auto* picture = new QLabel(this);
    picture->setObjectName(QStringLiteral("icon"));
    picture->setPixmap(icon.pixmap(QSize(48, 48), devicePixelRatio()));
    auto* text = new QLabel(QStringLiteral("Tallimo Version 1.3.0.45\nFeature Pack 3"), this);
    text->setObjectName(QStringLiteral("version"));
    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto* layout = new QHBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addWidget(picture, 0, Qt::AlignTop);
    layout->addWidget(text, 1, Qt::AlignTop);
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(ok);
    buttons->addStretch();
    layout->addLayout(buttons);
}

} // namespace tallimo
