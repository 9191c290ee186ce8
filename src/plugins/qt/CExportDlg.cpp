#include "plugins/qt/CExportDlg.h"

#include "plugins/ExportDialog.h"
#include "view/qt/DialogParts.h"

#include <QComboBox>
#include <QFile>
#include <QFontMetrics>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace tallimo {

CExportDlg::CExportDlg(QWidget* parent, ExportDialog& dialog)
    : QDialog(parent), m_data(dialog), m_plugins(new QComboBox(this)),
      m_description(new QLabel(this)) {
    setWindowTitle(QStringLiteral("Export"));
    m_plugins->setObjectName(QStringLiteral("plugins"));
    m_description->setObjectName(QStringLiteral("description"));
    // The list may be typed into to find a library, but never grows from what is typed.
    m_plugins->setEditable(true);
    m_plugins->setInsertPolicy(QComboBox::NoInsert);
    m_plugins->setMinimumContentsLength(40);
    m_description->setTextFormat(Qt::PlainText);
    m_description->setWordWrap(true);
    m_description->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_description->setMinimumHeight(3 * m_description->fontMetrics().lineSpacing());

    auto* group = new QGroupBox(QStringLiteral("Select Export plug-in"), this);
    auto* groupLayout = new QVBoxLayout(group);
    m_plugins->setParent(group);
    m_description->setParent(group);
    groupLayout->addWidget(m_plugins);
    groupLayout->addWidget(m_description, 1);
    auto* buttons = new QVBoxLayout;
    m_ok = addOkCancel(this, buttons).ok;
    buttons->addStretch();
    auto* layout = new QHBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addWidget(group);
    layout->addLayout(buttons);

    m_data.OnInitDialog();
    for (std::size_t i = 0; i < m_data.entries().size(); ++i) {
        // Entry 0 is the program's own text; the others are file names.
        const std::string& entry = m_data.entries()[i];
        m_plugins->addItem(i == 0 ? qtText(entry) : QFile::decodeName(entry.c_str()));
    }
    showState();
    connect(m_plugins, &QComboBox::activated, this, [this](int index) { comboBoxChanged(index); });
}

void CExportDlg::comboBoxChanged(int index) {
    m_data.ComboBoxChanged(index, m_plugins->width());
    showState();
}

void CExportDlg::showState() {
    if (m_data.selectedIndex() >= 0 && m_plugins->currentIndex() != m_data.selectedIndex()) {
        m_plugins->setCurrentIndex(m_data.selectedIndex());
    }
    m_description->setText(qtText(m_data.descriptionText()));
    m_ok->setEnabled(m_data.okEnabled());
}

void CExportDlg::accept() {
    m_data.OnOK();
    QDialog::accept();
}

} // namespace tallimo
