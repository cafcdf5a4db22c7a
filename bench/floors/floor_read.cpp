// The floor of reading a message file: a Qt program that reads a file and prints it.
#include <QFile>
#include <cstdio>

int main(int argc, char* argv[]) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: floor_read FILE\n");
        return 2;
    }
    QFile file(QString::fromLocal8Bit(argv[1]));
    if (!file.open(QIODevice::ReadOnly)) {
        return 1;
    }
    const QByteArray bytes = file.readAll();
    return std::fwrite(bytes.constData(), 1, bytes.size(), stdout) ==
                   static_cast<std::size_t>(bytes.size())
               ? 0
               : 1;
}
