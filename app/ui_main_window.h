#ifndef UI_MAIN_WINDOW_H
#define UI_MAIN_WINDOW_H

// The main window's widget tree and texts, in the form the interface
// generator writes: the demo frame on top, the control strip below it.

#include <QtCore/QVariant>
#include <QtWidgets/QApplication>
#include <QtWidgets/QFrame>
#include <QtWidgets/QGridLayout>
#include <QtWidgets/QHBoxLayout>
#include <QtWidgets/QLabel>
#include <QtWidgets/QMainWindow>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QVBoxLayout>
#include <QtWidgets/QWidget>

QT_BEGIN_NAMESPACE

class Ui_MainWindow
{
public:
    QWidget *centralWidget;
    QVBoxLayout *verticalLayout;
    QFrame *frame;
    QHBoxLayout *horizontalLayout;
    QFrame *frame_2;
    QGridLayout *gridLayout;
    QPushButton *pushButton;
    QPushButton *pushButton_2;
    QLabel *label;
    QWidget *widget;
    QHBoxLayout *horizontalLayout_2;

    void setupUi(QMainWindow *MainWindow)
    {
        if (MainWindow->objectName().isEmpty())
            MainWindow->setObjectName(QString::fromUtf8("MainWindow"));
        MainWindow->resize(435, 362);
        centralWidget = named(new QWidget(MainWindow), "centralWidget");
        verticalLayout = newLayout<QVBoxLayout>(centralWidget, "verticalLayout", 0, QMargins());

        frame = named(new QFrame(centralWidget), "frame");
        QSizePolicy sizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
        sizePolicy.setHorizontalStretch(0);
        sizePolicy.setVerticalStretch(0);
        sizePolicy.setHeightForWidth(frame->sizePolicy().hasHeightForWidth());
        frame->setSizePolicy(sizePolicy);
        frame->setFrameShape(QFrame::NoFrame);
        frame->setFrameShadow(QFrame::Plain);
        frame->setLineWidth(0);
        horizontalLayout = newLayout<QHBoxLayout>(frame, "horizontalLayout", 6, QMargins());
        verticalLayout->addWidget(frame);

        frame_2 = named(new QFrame(centralWidget), "frame_2");
        frame_2->setFrameShape(QFrame::StyledPanel);
        frame_2->setFrameShadow(QFrame::Raised);
        gridLayout = newLayout<QGridLayout>(frame_2, "gridLayout", 6, QMargins(11, 11, 11, 11));
        pushButton = named(new QPushButton(frame_2), "pushButton");
        gridLayout->addWidget(pushButton, 0, 0, 1, 1);
        pushButton_2 = named(new QPushButton(frame_2), "pushButton_2");
        gridLayout->addWidget(pushButton_2, 0, 1, 1, 1);
        label = named(new QLabel(frame_2), "label");
        gridLayout->addWidget(label, 2, 0, 1, 1);

        widget = named(new QWidget(frame_2), "widget");
        widget->setMinimumSize(QSize(0, 30));
        // -1: the style's margin at the sides.
        horizontalLayout_2 = newLayout<QHBoxLayout>(widget, "horizontalLayout_2", 6,
                                                    QMargins(-1, 0, -1, 0));
        gridLayout->addWidget(widget, 1, 0, 1, 2);
        verticalLayout->addWidget(frame_2);

        MainWindow->setCentralWidget(centralWidget);
        retranslateUi(MainWindow);
        QMetaObject::connectSlotsByName(MainWindow);
    } // setupUi

    void retranslateUi(QMainWindow *MainWindow)
    {
        MainWindow->setWindowTitle(QCoreApplication::translate("MainWindow", "Ostre3", nullptr));
        pushButton->setText(QCoreApplication::translate("MainWindow", "Play/Stop", nullptr));
        pushButton_2->setText(QCoreApplication::translate("MainWindow", "Fullscreen", nullptr));
        label->setText(QCoreApplication::translate("MainWindow", "0", nullptr));
    } // retranslateUi

private:
    // Object names are what connectSlotsByName and the tests find parts by.
    template <class Object>
    static Object *named(Object *object, const char *name)
    {
        object->setObjectName(QString::fromUtf8(name));
        return object;
    }

    template <class Layout>
    static Layout *newLayout(QWidget *parent, const char *name, int spacing, const QMargins &margins)
    {
        Layout *layout = named(new Layout(parent), name);
        layout->setSpacing(spacing);
        layout->setContentsMargins(margins);
        return layout;
    }
};

namespace Ui {
    class MainWindow: public Ui_MainWindow {};
} // namespace Ui

QT_END_NAMESPACE

#endif // UI_MAIN_WINDOW_H
