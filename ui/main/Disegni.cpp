#include "Disegni.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <array>

namespace {

// The ruler needs a digit no wider than 5 pixels, so that a column pitch of 6
// leaves a pixel between neighbours, and exactly 9 rows tall. System fonts at
// that size differ from machine to machine and blur the columns, so the ruler
// carries its own plain sans-serif digits.
constexpr int LarghezzaCifra = 5;
constexpr int AltezzaCifra = 9;
using Cifra = std::array<const char*, AltezzaCifra>;
constexpr std::array<Cifra, 10> Cifre = {{
    {".###.", "#...#", "#...#", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."}, // 0
    {"..#..", ".##..", "#.#..", "..#..", "..#..", "..#..", "..#..", "..#..", "..#.."}, // 1
    {".###.", "#...#", "....#", "....#", "...#.", "..#..", ".#...", "#....", "#####"}, // 2
    {".###.", "#...#", "....#", "....#", "..##.", "....#", "....#", "#...#", ".###."}, // 3
    {"...#.", "..##.", ".#.#.", "#..#.", "#..#.", "#####", "...#.", "...#.", "...#."}, // 4
    {"#####", "#....", "#....", "####.", "....#", "....#", "....#", "#...#", ".###."}, // 5
    {".###.", "#...#", "#....", "#....", "####.", "#...#", "#...#", "#...#", ".###."}, // 6
    {"#####", "....#", "...#.", "...#.", "..#..", "..#..", ".#...", ".#...", ".#..."}, // 7
    {".###.", "#...#", "#...#", "#...#", ".###.", "#...#", "#...#", "#...#", ".###."}, // 8
    {".###.", "#...#", "#...#", "#...#", ".####", "....#", "....#", "#...#", ".###."}, // 9
}};

constexpr int RigaNumeri = 2; // rows 2 to 10: the tens, 1 to 10
constexpr int RigaCifre = 15; // rows 15 to 23: one digit per column
constexpr int RigaBase = 32;  // the base line
constexpr int FineTaccaCorta = 36;
constexpr int FineTaccaLunga = 42;

void disegnaCifra(QImage& img, int cifra, int sinistra, int alto, QRgb inchiostro) {
    const Cifra& c = Cifre[cifra];
    for (int y = 0; y < AltezzaCifra; ++y) {
        for (int x = 0; x < LarghezzaCifra; ++x) {
            if (c[y][x] == '#')
                img.setPixel(sinistra + x, alto + y, inchiostro);
        }
    }
}

// A number centred on x, its digits one pixel apart.
void disegnaNumero(QImage& img, int numero, int centro, int alto, QRgb inchiostro) {
    const QByteArray cifre = QByteArray::number(numero);
    const int larghezza = int(cifre.size()) * (LarghezzaCifra + 1) - 1;
    int sinistra = centro - larghezza / 2;
    for (const char c : cifre) {
        disegnaCifra(img, c - '0', sinistra, alto, inchiostro);
        sinistra += LarghezzaCifra + 1;
    }
}

// Where the tick of column k stands. The first three sit one pixel to the left
// of their column, where the ruler's picture has always had them.
int xTacca(int k) {
    return k <= 3 ? MisureRighello::Passo * k - 1 : MisureRighello::Passo * k;
}

} // namespace

QImage disegnaRighello() {
    using namespace MisureRighello;
    QImage img(Larghezza, Altezza, QImage::Format_RGB32);
    img.fill(sfondo());
    const QRgb nero = qRgb(0, 0, 0);

    for (int decina = 1; decina <= Colonne / 10; ++decina)
        disegnaNumero(img, decina, Passo * 10 * decina, RigaNumeri, nero);
    for (int k = 1; k <= Colonne; ++k)
        disegnaCifra(img, k % 10, Passo * k - LarghezzaCifra / 2, RigaCifre, nero);

    for (int x = xTacca(1); x <= Passo * Colonne; ++x)
        img.setPixel(x, RigaBase, nero);
    for (int k = 1; k <= Colonne; ++k) {
        const int fine = k % 10 == 0 ? FineTaccaLunga : FineTaccaCorta;
        for (int y = RigaBase + 1; y <= fine; ++y)
            img.setPixel(xTacca(k), y, nero);
    }
    return img;
}

QImage disegnaIcona(int lato) {
    QImage img(lato, lato, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing, lato > 32);
    p.scale(lato / 32.0, lato / 32.0);

    // The page, its corner folded down towards the reader.
    const QPolygonF pagina({{5, 2}, {20, 2}, {26, 8}, {26, 29}, {5, 29}});
    const QPolygonF orecchia({{20, 2}, {20, 8}, {26, 8}});
    const qreal tratto = 32.0 / lato; // one pixel at any size

    p.setPen(Qt::NoPen);
    p.setBrush(QColor(128, 128, 128));
    p.drawPolygon(pagina.translated(2, 2));
    p.setPen(QPen(Qt::black, tratto));
    p.setBrush(Qt::white);
    p.drawPolygon(pagina);
    p.setBrush(QColor(192, 192, 192));
    p.drawPolygon(orecchia);

    // A serif capital: a thin left stroke, a thick right one, a crossbar and
    // foot serifs, with the triangular counter cut out of it.
    QPainterPath a;
    a.setFillRule(Qt::OddEvenFill);
    a.addPolygon(QPolygonF({{14.0, 8.5},
                            {17.0, 8.5},
                            {22.5, 24.0},
                            {24.0, 24.0},
                            {24.0, 26.0},
                            {17.5, 26.0},
                            {17.5, 24.0},
                            {18.5, 24.0},
                            {17.5, 20.0},
                            {11.4, 20.0},
                            {9.7, 24.0},
                            {11.2, 24.0},
                            {11.2, 26.0},
                            {7.0, 26.0},
                            {7.0, 24.0},
                            {8.5, 24.0},
                            {14.0, 8.5}}));
    a.addPolygon(QPolygonF({{15.3, 11.5}, {17.0, 18.0}, {12.3, 18.0}, {15.3, 11.5}}));
    // The letter's slanted edges look ragged without smoothing, even small.
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::black);
    p.drawPath(a);
    return img;
}

QIcon iconaQuorla() {
    QIcon icona;
    for (const int lato : {16, 24, 32, 48, 64, 128, 256})
        icona.addPixmap(QPixmap::fromImage(disegnaIcona(lato)));
    return icona;
}
