// bare_window.cpp: the least a Qt 6 program needs to show a GL frame of the same size:
// a QOpenGLWidget cleared to grey. It quits once its first frame is on the screen, or with
// --stay runs until closed (the idle measurement's peer).
#include <GL/gl.h>
#include <QApplication>
#include <QOpenGLWidget>

class BareView : public QOpenGLWidget {
protected:
    void paintGL() override
    {
        glClearColor(0.498f, 0.498f, 0.498f, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    }
};

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    BareView view;
    if (argc < 2 || QString(argv[1]) != "--stay")
        QObject::connect(&view, &QOpenGLWidget::frameSwapped, [] { QCoreApplication::exit(0); });
    view.setWindowTitle("bare");
    view.resize(1024, 768);
    view.show();
    return app.exec();
}
