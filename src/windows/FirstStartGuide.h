#pragma once

#include <QFrame>

class QPushButton;
class QVBoxLayout;

namespace vezal {

// What the main window shows in its empty tables' place while the data folder has no league: a short
// guide and the ways to a first league. Each way is a button that the main window connects.
class FirstStartGuide : public QFrame {
    Q_OBJECT
public:
    explicit FirstStartGuide(QWidget* parent = nullptr);

    // Another way to a first league, below the others.
    QPushButton* addAction(const char* objectName, const QString& caption, const QString& explanation);

    QPushButton* importButton = nullptr; // GuideImportButton: "Sonuçları İçe Aktar ..."
    QPushButton* webButton = nullptr;    // GuideWebButton: "Ligleri Web'den Güncelle ..."
    QPushButton* sampleButton = nullptr; // GuideSampleButton: "Örnek Lig Yükle"

private:
    QVBoxLayout* actions_ = nullptr;
};

} // namespace vezal
