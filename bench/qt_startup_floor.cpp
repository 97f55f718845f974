// The least that a process drawing with Qt pays on this machine, as an anchor
// for orbisk-cli render as a whole process: load the Qt libraries, start an
// application on the offscreen platform, look up a font, draw one text and
// one circle on a 500 x 500 picture and save it as a BMP to the path given.

#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <cstdlib>

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QGuiApplication app(argc, argv);
  QImage image(500, 500, QImage::Format_RGB32);
  image.fill(Qt::white);
  {
    QPainter painter(&image);
    QFont font("Arial");
    font.setPixelSize(11);
    painter.setFont(font);
    painter.drawText(10, 20, "R1/R2 = 0.5");
    painter.drawEllipse(50, 50, 400, 400);
  }
  return argc > 1 && image.save(argv[1], "BMP") ? 0 : 1;
}
