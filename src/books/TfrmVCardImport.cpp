#include "books/TfrmVCardImport.h"

#include "core/data/Query.h"
#include "core/data/Tdm.h"
#include "forms/ErrorReport.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QSet>
#include <QTreeWidget>
#include <QVBoxLayout>

TfrmVCardImport::TfrmVCardImport(const QList<VCard::Card>& cards, QWidget* owner)
    : TfrmBase(owner)
    , m_cards(cards)
{
    setObjectName(QStringLiteral("frmVCardImport"));
    setWindowTitle(QStringLiteral("导入vCard"));
    resize(900, 520);

    QSet<QString> present; // name and mobile of every contact in the book
    Query existing(dm->ADOConnection1());
    existing.setSql(QStringLiteral("select xingming, shouji from Dianhua"));
    existing.open();
    for (int row = 0; row < existing.rowCount(); ++row) {
        present.insert(existing.textAt(row, 0) + QChar(0x1F) + existing.textAt(row, 1));
    }

    lvCards = new QTreeWidget(this);
    lvCards->setObjectName(QStringLiteral("lvCards"));
    lvCards->setRootIsDecorated(false);
    lvCards->setHeaderLabels({QStringLiteral("状态"), QStringLiteral("姓名"), QStringLiteral("手机"),
                              QStringLiteral("电话"), QStringLiteral("QQ"), QStringLiteral("Email"),
                              QStringLiteral("地址")});
    lvCards->header()->resizeSection(0, 110);
    for (int i = 0; i < m_cards.size(); ++i) {
        const VCard::Card& card = m_cards[i];
        const VCardContact& c = card.contact;
        QString state;
        if (!card.readable) {
            state = QStringLiteral("无法读取（第%1行）").arg(card.line);
        } else if (present.contains(c.xingming + QChar(0x1F) + c.shouji)) {
            state = QStringLiteral("已存在");
        } else {
            state = QStringLiteral("新");
        }
        auto* item = new QTreeWidgetItem(lvCards, {state, c.xingming, c.shouji, c.dianhua, c.qq, c.email, c.addr});
        item->setData(0, Qt::UserRole, i);
        if (card.readable) {
            item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
            item->setCheckState(0, state == QStringLiteral("新") ? Qt::Checked : Qt::Unchecked);
        } else {
            item->setFlags(item->flags() & ~Qt::ItemIsEnabled);
        }
    }

    btnImport = new QPushButton(QStringLiteral("导入"), this);
    btnImport->setObjectName(QStringLiteral("btnImport"));
    auto* cancel = new QPushButton(QStringLiteral("取消"), this);
    cancel->setObjectName(QStringLiteral("btnCancel"));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(btnImport);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lvCards, 1);
    layout->addLayout(buttons);
    ErrorReport::connect(btnImport, &QPushButton::clicked, this, &TfrmVCardImport::importChosen);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void TfrmVCardImport::importChosen()
{
    QList<VCardContact> chosen;
    for (int i = 0; i < lvCards->topLevelItemCount(); ++i) {
        const QTreeWidgetItem* item = lvCards->topLevelItem(i);
        if ((item->flags() & Qt::ItemIsUserCheckable) && item->checkState(0) == Qt::Checked) {
            chosen << m_cards[item->data(0, Qt::UserRole).toInt()].contact;
        }
    }
    VCard::insert(dm->ADOConnection1(), chosen);
    m_added = int(chosen.size());
    accept();
}
