#include <QCoreApplication>
#include <QTextStream>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QTextStream(stderr) << "usage: zel4-admin <command> ...\n";
    return 2;
}
