// The building of the tables program's window: its lists, groups, table and
// composite cover, and the signals between them.
#include "zevode/frmCurva.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

// What a window manager's frame and caption take at most, commonly.
constexpr QSize MargenMarco(16, 64);

// The transcriptions the source column names by code.
const char* const Leyenda = "IEM: R package iemiscdata 1.0.3 (I. Embry, 2023-24)\n"
                            "CVI: R package curvenumber (C. Vitolo, 2017)\n"
                            "LIDS: Low Impact Development and Sustainable Stormwater Management, Table 6-1\n"
                            "MILID: Low Impact Development Manual for Michigan, Table 9.2\n"
                            "MSE: Mathematics and Statistics for the Environment, Table 25.5A\n"
                            "GRA: GRASS GIS addon r.curvenumber\n"
                            "WWS: WikiWatershed tr-55\n"
                            "HYD: Python package Hydrolog\n"
                            "GRL: GRASS legacy r.agnps50 r.cn (older SCS table)\n"
                            "BEV: Beven, Rainfall-Runoff Modelling: The Primer, Tables B6.3.1-B6.3.2 (older SCS table)";

} // namespace

frmCurva::frmCurva(const QList<FilaCN>& filas, int numIdioma, QWidget* parent)
    : QWidget(parent), filas_(filas), idioma_(numIdioma == 1 ? 1 : 2)
{
    setObjectName(QStringLiteral("frmCurva"));
    setWindowTitle(T(TextoZ::Titulo));

    auto* lblIntro = new QLabel(T(TextoZ::Introduccion));
    lblIntro->setObjectName(QStringLiteral("lblIntro"));
    lblIntro->setWordWrap(true);

    QLayout* izquierda = ConstruyeEleccion();
    QGroupBox* mrcValor = ConstruyeValor();
    QGroupBox* mrcFuente = ConstruyeFuente();
    auto* arriba = new QHBoxLayout;
    arriba->addLayout(izquierda, 5);
    arriba->addWidget(mrcValor, 2);

    // The whole table.
    tblCurvas_ = new QTableWidget(int(filas_.size()), ColA + 4);
    tblCurvas_->setObjectName(QStringLiteral("tblCurvas"));
    LlenaTabla();

    QGroupBox* mrcCompuesta = ConstruyeCompuesta();
    auto* cmdCerrar = new QPushButton(T(TextoZ::Cerrar));
    cmdCerrar->setObjectName(QStringLiteral("cmdCerrar"));
    auto* abajo = new QHBoxLayout;
    abajo->addWidget(mrcCompuesta, 1);
    abajo->addWidget(cmdCerrar, 0, Qt::AlignBottom);

    auto* capa = new QVBoxLayout(this);
    capa->addWidget(lblIntro);
    capa->addLayout(arriba);
    capa->addWidget(tblCurvas_, 1);
    capa->addWidget(mrcFuente);
    capa->addLayout(abajo);

    ConectaSenales(cmdCerrar);
    // Enter presses the focused button, as in the main program; outside a
    // dialog Qt leaves that to Space alone.
    for (QPushButton* b : findChildren<QPushButton*>())
        b->setAutoDefault(true);

    setTabOrder(lstCubierta_, lstCondicion_);
    setTabOrder(lstCondicion_, opcGrupo_->button(0));
    // No taller or wider than the screen's working area, frame and caption
    // allowed for: the table scrolls inside.
    QSize tam(1060, 900);
    if (const QScreen* pantalla = screen())
        tam = tam.boundedTo(pantalla->availableGeometry().size() - MargenMarco);
    resize(tam.expandedTo(minimumSizeHint()));
    MuestraLineas();
    Actualiza();
}

// The choice by lists and groups: a cover with its treatment, its condition
// and the soil group.
QLayout* frmCurva::ConstruyeEleccion()
{
    lstCubierta_ = new QComboBox;
    lstCubierta_->setObjectName(QStringLiteral("lstCubierta"));
    lstCubierta_->setPlaceholderText(T(TextoZ::EligeCubierta));
    lstCubierta_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    lstCubierta_->setMinimumContentsLength(40);
    for (int i = 0; i < filas_.size(); ++i) {
        const FilaCN& f = filas_[i];
        const bool misma = !entradas_.isEmpty() && filas_[entradas_.last().first()].tabla == f.tabla &&
                           filas_[entradas_.last().first()].cubierta == f.cubierta &&
                           filas_[entradas_.last().first()].tratamiento == f.tratamiento;
        if (misma) {
            entradas_.last().append(i);
            continue;
        }
        entradas_.append(QList<int>{i});
        QString texto = f.cubierta[idioma_ - 1];
        if (!f.tratamiento[idioma_ - 1].isEmpty())
            texto += QStringLiteral(" — ") + f.tratamiento[idioma_ - 1];
        lstCubierta_->addItem(texto);
        lstCubierta_->setItemData(lstCubierta_->count() - 1, texto, Qt::ToolTipRole);
    }
    lstCondicion_ = new QComboBox;
    lstCondicion_->setObjectName(QStringLiteral("lstCondicion"));
    lstCondicion_->setEnabled(false);

    auto* formulario = new QFormLayout;
    auto* lblCubierta = new QLabel(T(TextoZ::Cubierta));
    lblCubierta->setBuddy(lstCubierta_);
    auto* lblCondicion = new QLabel(T(TextoZ::Condicion));
    lblCondicion->setBuddy(lstCondicion_);
    formulario->addRow(lblCubierta, lstCubierta_);
    formulario->addRow(lblCondicion, lstCondicion_);

    auto* mrcGrupo = new QGroupBox(T(TextoZ::Grupo));
    mrcGrupo->setObjectName(QStringLiteral("mrcGrupo"));
    auto* capaGrupo = new QVBoxLayout(mrcGrupo);
    opcGrupo_ = new QButtonGroup(this);
    for (int g = 0; g < 4; ++g) {
        auto* opc = new QRadioButton(T(TextoZ(int(TextoZ::GrupoA) + g)));
        opc->setObjectName(QStringLiteral("opcGrupo(%1)").arg(g));
        opcGrupo_->addButton(opc, g);
        capaGrupo->addWidget(opc);
    }

    auto* izquierda = new QVBoxLayout;
    izquierda->addLayout(formulario);
    izquierda->addWidget(mrcGrupo);
    return izquierda;
}

// The number chosen, large, and the row it comes from.
QGroupBox* frmCurva::ConstruyeValor()
{
    auto* mrcValor = new QGroupBox;
    mrcValor->setObjectName(QStringLiteral("mrcValor"));
    auto* capaValor = new QVBoxLayout(mrcValor);
    auto* lblValor = new QLabel(T(TextoZ::Valor));
    lblZevOdeva_ = new QLabel;
    lblZevOdeva_->setObjectName(QStringLiteral("lblZevOdeva"));
    QFont grande = lblZevOdeva_->font();
    grande.setPointSizeF(grande.pointSizeF() * 2.2);
    grande.setBold(true);
    lblZevOdeva_->setFont(grande);
    lblZevOdeva_->setMinimumHeight(QFontMetrics(grande).height());
    lblZevOdeva_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    lblFila_ = new QLabel;
    lblFila_->setObjectName(QStringLiteral("lblFila"));
    lblFila_->setWordWrap(true);
    lblFila_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    capaValor->addWidget(lblValor);
    capaValor->addWidget(lblZevOdeva_);
    capaValor->addWidget(lblFila_);
    capaValor->addStretch();
    // Wrapped labels get the height of their widest layout otherwise.
    lblFila_->setMinimumHeight(4 * fontMetrics().lineSpacing());
    lblFila_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    mrcValor->setMinimumWidth(300);
    return mrcValor;
}

// The row's note and its sources, below the table.
QGroupBox* frmCurva::ConstruyeFuente()
{
    lblNota_ = new QLabel;
    lblNota_->setObjectName(QStringLiteral("lblNota"));
    lblFuente_ = new QLabel;
    lblFuente_->setObjectName(QStringLiteral("lblFuente"));
    lblFuente_->setToolTip(T(TextoZ::Leyenda) + QLatin1Char('\n') + QString::fromUtf8(Leyenda));
    for (QLabel* l : {lblNota_, lblFuente_}) {
        l->setWordWrap(true);
        l->setTextInteractionFlags(Qt::TextSelectableByMouse);
    }
    auto* mrcFuente = new QGroupBox;
    mrcFuente->setObjectName(QStringLiteral("mrcFuente"));
    auto* capaFuente = new QVBoxLayout(mrcFuente);
    capaFuente->addWidget(lblNota_);
    capaFuente->addWidget(lblFuente_);
    return mrcFuente;
}

// A composite cover: up to five lines, each a share of the area and the
// number of its cover, and their weighted mean.
QGroupBox* frmCurva::ConstruyeCompuesta()
{
    auto* mrcCompuesta = new QGroupBox(T(TextoZ::Compuesta));
    mrcCompuesta->setObjectName(QStringLiteral("mrcCompuesta"));
    auto* rejilla = new QGridLayout(mrcCompuesta);
    auto* lblPorcentaje = new QLabel(T(TextoZ::Porcentaje));
    rejilla->addWidget(lblPorcentaje, 0, 0);
    for (int i = 0; i < MaxComponentes; ++i) {
        txtPorcentaje_[i] = new QLineEdit;
        txtPorcentaje_[i]->setObjectName(QStringLiteral("txtPorcentaje(%1)").arg(i));
        txtPorcentaje_[i]->setMaximumWidth(QFontMetrics(font()).horizontalAdvance(QStringLiteral("0000.000")));
        txtPorcentaje_[i]->setAccessibleName(T(TextoZ::Porcentaje));
        lblComponente_[i] = new QLabel;
        lblComponente_[i]->setObjectName(QStringLiteral("lblComponente(%1)").arg(i));
        cmdQuitar_[i] = new QPushButton(T(TextoZ::Quitar));
        cmdQuitar_[i]->setObjectName(QStringLiteral("cmdQuitar(%1)").arg(i));
        rejilla->addWidget(txtPorcentaje_[i], i + 1, 0);
        rejilla->addWidget(lblComponente_[i], i + 1, 1);
        rejilla->addWidget(cmdQuitar_[i], i + 1, 2);
        connect(txtPorcentaje_[i], &QLineEdit::textChanged, this, &frmCurva::CalculaMedia);
        connect(cmdQuitar_[i], &QPushButton::clicked, this, [this, i] { Quita(i); });
    }
    rejilla->setColumnStretch(1, 1);
    cmdAnadir_ = new QPushButton(T(TextoZ::Anadir));
    cmdAnadir_->setObjectName(QStringLiteral("cmdAnadir"));
    lblMedia_ = new QLabel;
    lblMedia_->setObjectName(QStringLiteral("lblMedia"));
    cmdUsarMedia_ = new QPushButton(T(TextoZ::UsarMedia));
    cmdUsarMedia_->setObjectName(QStringLiteral("cmdUsarMedia"));
    auto* pie = new QHBoxLayout;
    pie->addWidget(cmdAnadir_);
    pie->addWidget(lblMedia_, 1);
    pie->addWidget(cmdUsarMedia_);
    rejilla->addLayout(pie, MaxComponentes + 1, 0, 1, 3);
    return mrcCompuesta;
}

// Lists, groups and table choose the same row and group, whichever is used.
void frmCurva::ConectaSenales(QPushButton* cmdCerrar)
{
    connect(lstCubierta_, &QComboBox::activated, this, [this](int i) {
        if (i >= 0)
            Elige(entradas_[i].first(), grupo_);
    });
    connect(lstCondicion_, &QComboBox::activated, this, [this](int i) {
        if (i >= 0)
            Elige(lstCondicion_->itemData(i).toInt(), grupo_);
    });
    connect(opcGrupo_, &QButtonGroup::idClicked, this, [this](int g) { Elige(fila_, g); });
    connect(tblCurvas_, &QTableWidget::currentCellChanged, this, [this](int fila, int columna) {
        if (fila >= 0)
            Elige(fila, columna >= ColA ? columna - ColA : grupo_);
    });
    connect(cmdAnadir_, &QPushButton::clicked, this, &frmCurva::Anade);
    connect(cmdUsarMedia_, &QPushButton::clicked, this, [this] {
        usaMedia_ = true;
        CalculaMedia();
    });
    connect(cmdCerrar, &QPushButton::clicked, this, &QWidget::close);
}

void frmCurva::LlenaTabla()
{
    tblCurvas_->setHorizontalHeaderLabels({T(TextoZ::ColTabla), T(TextoZ::ColCubierta), T(TextoZ::ColTratamiento),
                                           T(TextoZ::ColCondicion), QStringLiteral("A"), QStringLiteral("B"),
                                           QStringLiteral("C"), QStringLiteral("D")});
    tblCurvas_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tblCurvas_->setSelectionMode(QAbstractItemView::SingleSelection);
    tblCurvas_->setSelectionBehavior(QAbstractItemView::SelectItems);
    tblCurvas_->setWordWrap(false);
    tblCurvas_->setTabKeyNavigation(false);
    tblCurvas_->verticalHeader()->setVisible(false);
    tblCurvas_->verticalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    for (int i = 0; i < filas_.size(); ++i) {
        const FilaCN& f = filas_[i];
        QString condicion;
        if (f.condicion == QLatin1String("poor"))
            condicion = T(TextoZ::Mala);
        else if (f.condicion == QLatin1String("fair"))
            condicion = T(TextoZ::Regular);
        else if (f.condicion == QLatin1String("good"))
            condicion = T(TextoZ::Buena);
        const QStringList textos{f.tabla, f.cubierta[idioma_ - 1], f.tratamiento[idioma_ - 1], condicion};
        for (int c = 0; c < ColA; ++c) {
            auto* celda = new QTableWidgetItem(textos[c]);
            celda->setToolTip(textos[c]);
            tblCurvas_->setItem(i, c, celda);
        }
        for (int g = 0; g < 4; ++g) {
            auto* celda = new QTableWidgetItem(f.N[g] > 0 ? QString::number(f.N[g]) : QString());
            celda->setTextAlignment(Qt::AlignCenter);
            tblCurvas_->setItem(i, ColA + g, celda);
        }
    }
    QHeaderView* cabecera = tblCurvas_->horizontalHeader();
    cabecera->setSectionResizeMode(QHeaderView::Interactive);
    cabecera->setSectionResizeMode(1, QHeaderView::Stretch);
    tblCurvas_->resizeColumnToContents(0);
    tblCurvas_->setColumnWidth(2, 260);
    tblCurvas_->resizeColumnToContents(3);
    for (int g = 0; g < 4; ++g)
        tblCurvas_->setColumnWidth(ColA + g, QFontMetrics(font()).horizontalAdvance(QStringLiteral("0000")) + 12);
}
