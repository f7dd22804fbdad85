// The photo's costs: one step of the compression slider on a 450 x 600 crop
// through the real window, the full decoding of a 12-megapixel phone photo, and
// the bytes a stored photo adds to the database through the embedded server.
#include "data/dataset/TADOConnection.h"
#include "data/dataset/TADOQuery.h"
#include "data/dataset/TField.h"
#include "photo/JpegCodec.h"
#include "photo/PictureView.h"
#include "photo/TPhotoForm.h"
#include "server/EmbeddedDriverRegistration.h"
#include "server/demo/DemoDatabase.h"
#include "server/procedures/ServerModules.h"
#include "ui/PictureBytes.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QSlider>
#include <QTemporaryDir>

#include <cmath>
#include <memory>

namespace {

/// A picture with the structure of a portrait photo: smooth shading, edges and
/// fine sensor noise (a flat or random picture would compress unlike a photo).
QImage photoLike(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    quint32 seed = 12345;
    for (int y = 0; y < height; ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < width; ++x) {
            seed = seed * 1664525u + 1013904223u;
            const int noise = int(seed >> 29) - 4;
            const double fx = double(x) / width - 0.5, fy = double(y) / height - 0.4;
            const bool face = fx * fx * 2.2 + fy * fy < 0.06;
            const int shade = int(60 * std::sin(x * 0.02) + 40 * std::cos(y * 0.015));
            const int r = face ? 210 + shade / 3 : 90 + shade;
            const int g = face ? 160 + shade / 3 : 110 + shade / 2;
            const int b = face ? 130 + shade / 4 : 140 - shade / 2;
            line[x] = qRgb(qBound(0, r + noise, 255), qBound(0, g + noise, 255), qBound(0, b + noise, 255));
        }
    }
    return image;
}

QApplication& application()
{
    static std::unique_ptr<QApplication> app = [] {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        static int argc = 1;
        static char name[] = "bench_photo";
        static char* argv[] = {name, nullptr};
        return std::make_unique<QApplication>(argc, argv);
    }();
    return *app;
}

// One slider step of the crop window on a 450 x 600 crop: encode at the
// slider's quality, write "1.jpg", decode it for the image area and the
// preview, and paint both.
void BM_CompressionStep450x600(benchmark::State& state)
{
    application();
    zel::TPhotoForm form;
    form.ResultBitmap = photoLike(450, 600);
    form.show();
    int position = 50;
    for (auto _ : state) {
        position = position == 50 ? 51 : 50;
        form.TrackBar1->setValue(position);
        // What the clerk sees follows at once.
        form.Image1->repaint();
        form.Image2->repaint();
    }
    state.counters["file_bytes"] = double(QFileInfo(form.TemporaryFileName()).size());
    state.counters["quality"] = form.LastQuality();
}
BENCHMARK(BM_CompressionStep450x600)->Unit(benchmark::kMillisecond);

// The parts of that step.
void BM_Encode450x600(benchmark::State& state)
{
    const QImage crop = photoLike(450, 600);
    for (auto _ : state)
        benchmark::DoNotOptimize(zel::JpegCodec::encode(crop, 50).size());
}
BENCHMARK(BM_Encode450x600)->Unit(benchmark::kMillisecond);

void BM_Decode450x600(benchmark::State& state)
{
    const QByteArray bytes = zel::JpegCodec::encode(photoLike(450, 600), 50);
    for (auto _ : state)
        benchmark::DoNotOptimize(zel::JpegCodec::decode(bytes, QStringLiteral("crop")).width());
}
BENCHMARK(BM_Decode450x600)->Unit(benchmark::kMillisecond);

// "Загрузить фото" on a 12-megapixel phone photo (4000 x 3000, quality 92):
// reading the file and decoding it fully.
void BM_Decode12Megapixels(benchmark::State& state)
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("phone.jpg"));
    {
        QFile file(path);
        file.open(QIODevice::WriteOnly);
        file.write(zel::JpegCodec::encode(photoLike(4000, 3000), 92));
    }
    for (auto _ : state)
        benchmark::DoNotOptimize(zel::JpegCodec::readFile(path).width());
    state.counters["file_bytes"] = double(QFileInfo(path).size());
}
BENCHMARK(BM_Decode12Megapixels)->Unit(benchmark::kMillisecond);

// The bitmap bytes the card stores for crops of several sizes; per 1,000
// employees multiply by 1,000.
void BM_StoredBitmapBytes(benchmark::State& state)
{
    const int width = int(state.range(0));
    const QImage crop = photoLike(width, width + width / 3);
    qsizetype bytes = 0;
    for (auto _ : state) {
        bytes = zel::ui::PictureBytes::toBmp(crop).size();
        benchmark::DoNotOptimize(bytes);
    }
    state.counters["bmp_bytes"] = double(bytes);
    state.counters["per_1000_MB"] = double(bytes) * 1000 / (1024.0 * 1024.0);
}
BENCHMARK(BM_StoredBitmapBytes)->Arg(90)->Arg(150)->Arg(300)->Arg(450)->Unit(benchmark::kMillisecond);

// Posting new photo rows of a 300 x 400 crop through the embedded server's
// driver, as the card does; the database file's growth per photo.
void BM_PostPhotoRowEmbedded(benchmark::State& state)
{
    zel::server::registerEmbeddedDriver();
    zel::server::installServerModules();
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("photos.db"));
    const auto summary = zel::server::createDemoDatabase(path, 20);
    const auto& login = summary.databaseAccounts.at(1);
    zel::TADOConnection connection;
    connection.SetConnectionString("Provider=SQLOLEDB.1;Password=" + login.password + ";User ID=" + login.login
                                   + ";Initial Catalog=" + summary.databaseName + ";Data Source=" + path);
    connection.Open();
    zel::TADOQuery photo;
    photo.SetConnection(&connection);
    photo.SetSQL(QStringLiteral("Select * from photo where id_teacher=2"));
    photo.Open();
    const QByteArray bitmap = zel::ui::PictureBytes::toBmp(photoLike(300, 400));

    const qint64 before = QFileInfo(path).size() + QFileInfo(path + QStringLiteral("-wal")).size();
    qint64 rows = 0;
    for (auto _ : state) {
        photo.Append();
        photo.FieldByName(QStringLiteral("id_teacher"))->SetAsInteger(2);
        photo.FieldByName(QStringLiteral("photo"))->SetAsBytes(bitmap);
        photo.Post();
        ++rows;
    }
    connection.Close();
    const qint64 after = QFileInfo(path).size() + QFileInfo(path + QStringLiteral("-wal")).size();
    state.counters["bmp_bytes"] = double(bitmap.size());
    state.counters["file_growth_per_photo"] = double(after - before) / double(rows);
}
BENCHMARK(BM_PostPhotoRowEmbedded)->Unit(benchmark::kMillisecond)->Iterations(200);

}  // namespace
