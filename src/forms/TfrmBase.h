#pragma once

#include <QDialog>

// The look every window shares: 870 x 480 design size, centred, 宋体 16 px.
// Windows are created on demand by their opener, shown modally and freed when
// they close, so nothing carries over from one opening to the next.
class TfrmBase : public QDialog {
    Q_OBJECT

public:
    explicit TfrmBase(QWidget* owner = nullptr);

    int tag() const;
    void setTag(int tag);

protected:
    void showEvent(QShowEvent* event) override;

private:
    bool m_placed = false;
};
