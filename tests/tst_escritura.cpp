// Every file the program writes is written whole or not at all: a full disk
// leaves the old file byte for byte, devices and pipes get the bytes straight,
// and what is neither is never replaced.

#include "ApoyoEscritura.h"
#include "common/Catalogo.h"
#include "common/Escritura.h"
#include "common/Variables.h"

#include <QtTest>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

namespace {

QByteArray Lee(const QString& ruta)
{
    QFile f(ruta);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void Pon(const QString& ruta, const QByteArray& datos)
{
    QFile f(ruta);
    QVERIFY(f.open(QIODevice::WriteOnly) && f.write(datos) == datos.size());
}

} // namespace

class TstEscritura : public QObject {
    Q_OBJECT

    QTemporaryDir dir;
    Variables v;
    const QByteArray viejo = "old contents\n";
    const QByteArray nuevo = QByteArray(10000, 'x'); // within QSaveFile's buffer

  private slots:
    void initTestCase() { v.NumIdioma = 2; }

    // A file new or old gets the whole text; on a full disk the old one stays.
    void archivos_data()
    {
        QTest::addColumn<bool>("existe");
        QTest::addColumn<bool>("lleno");
        QTest::newRow("nuevo") << false << false;
        QTest::newRow("reemplazado") << true << false;
        QTest::newRow("nuevo, disco lleno") << false << true;
        QTest::newRow("viejo, disco lleno") << true << true;
    }

    void archivos()
    {
        QFETCH(bool, existe);
        QFETCH(bool, lleno);
        QTemporaryDir carpeta;
        const QString ruta = carpeta.filePath("a.csv");
        if (existe)
            Pon(ruta, viejo);
        std::optional<QString> fallo;
        {
            std::optional<apoyo::DiscoLleno> disco;
            if (lleno)
                disco.emplace(4096);
            fallo = EscribeEntero(ruta, nuevo, v);
        }
        QCOMPARE(fallo.has_value(), lleno);
        QCOMPARE(QFileInfo::exists(ruta), existe || !lleno);
        if (QFileInfo::exists(ruta))
            QCOMPARE(Lee(ruta), lleno ? viejo : nuevo);
        // Nothing left beside it.
        QCOMPARE(QDir(carpeta.path()).entryList(QDir::Files).size(), QFileInfo::exists(ruta) ? 1 : 0);
    }

    // What is not a regular file keeps its kind: a pipe is written into, a
    // pipe nobody reads and a folder are refused at once.
    void otrasClases_data()
    {
        QTest::addColumn<QString>("clase");
        QTest::addColumn<int>("motivo");
        QTest::newRow("tubería leída") << "fifo" << 0;
        QTest::newRow("tubería sin lector") << "fifo sin lector" << 1801;
        QTest::newRow("carpeta") << "carpeta" << 1800;
    }

    void otrasClases()
    {
        QFETCH(QString, clase);
        QFETCH(int, motivo);
        const QString ruta = dir.filePath(clase);
        if (clase == "carpeta")
            QVERIFY(QDir().mkpath(ruta));
        else
            QCOMPARE(::mkfifo(QFile::encodeName(ruta).constData(), 0600), 0);
        // A reader in a pipeline has the pipe open before anything is written;
        // what is written fits the pipe's buffer.
        const QByteArray poco = nuevo.left(1000);
        int lector = -1;
        if (clase == "fifo")
            lector = ::open(QFile::encodeName(ruta).constData(), O_RDONLY | O_NONBLOCK);
        const std::optional<QString> fallo = EscribeEntero(ruta, poco, v);
        QByteArray leido(2000, '\0');
        if (lector >= 0) {
            leido.resize(std::max<ssize_t>(::read(lector, leido.data(), 2000), 0));
            ::close(lector);
        }
        QCOMPARE(fallo.value_or(QString()), motivo ? TextoCatalogo(motivo + 1000) : QString());
        if (!motivo)
            QCOMPARE(leido, poco);
        struct stat st {};
        QCOMPARE(::stat(QFile::encodeName(ruta).constData(), &st), 0);
        QVERIFY(clase == "carpeta" ? S_ISDIR(st.st_mode) : S_ISFIFO(st.st_mode));
    }

    // A device node is written into, never replaced: a copy of /dev/full,
    // which only root may make, says the disk is full and stays a device.
    void dispositivo()
    {
        const QString ruta = dir.filePath("full");
        if (::mknod(QFile::encodeName(ruta).constData(), S_IFCHR | 0600, makedev(1, 7)) != 0)
            QSKIP("making a device node needs root");
        const std::optional<QString> fallo = EscribeEntero(ruta, nuevo, v);
        QVERIFY(fallo && fallo->contains("No space left"));
        struct stat st {};
        QVERIFY(::stat(QFile::encodeName(ruta).constData(), &st) == 0 && S_ISCHR(st.st_mode));
    }
};

QTEST_GUILESS_MAIN(TstEscritura)
#include "tst_escritura.moc"
