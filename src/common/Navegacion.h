#pragma once

#include <QHash>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QWidget>

#include <functional>

class QMdiArea;
class QMdiSubWindow;

// The one owner of showing, hiding and unloading windows. Windows are known
// by their object name ("frmEscorrentía"); each is created on its first show
// from the factory registered for it, and destroyed when unloaded. Showing a
// window of the help group first unloads the other windows of the group.
class Navegacion : public QObject {
    Q_OBJECT

  public:
    using Fabrica = std::function<QWidget*()>;
    enum class Tipo {
        Suelta,    // a top-level window
        Hija,      // a child window of the main window's area
        Principal, // the main window: top-level, never unloaded with the others
        Ayuda      // a child window of the help group, of which one at a time is loaded
    };

    Navegacion() = default;
    ~Navegacion() override;
    Navegacion(const Navegacion&) = delete;
    Navegacion& operator=(const Navegacion&) = delete;

    void Registra(const QString& nombre, Tipo tipo, Fabrica fabrica);

    // The area that holds the child windows; without one, child windows are
    // shown as top-level windows.
    void FijaArea(QMdiArea* area);

    // Creates the window if it is not loaded, else brings it to the front.
    QWidget* Muestra(const QString& nombre);
    void Oculta(const QString& nombre);
    // Closes and destroys the window; its unload handler runs.
    void Descarga(const QString& nombre);
    // Unloads every loaded window but the one registered as the main window.
    void DescargaTodasMenosPrincipal();

    // The loaded window, or nullptr.
    QWidget* Ventana(const QString& nombre) const;
    // The frame of a loaded child window, or nullptr.
    QMdiSubWindow* Marco(const QString& nombre) const;

  signals:
    // After every show, new or brought to the front: a window that shows the
    // shared state reads it again.
    void Mostrada(const QString& nombre);

  protected:
    bool eventFilter(QObject* objeto, QEvent* evento) override;

  private:
    struct Registro {
        Tipo tipo = Tipo::Suelta;
        Fabrica fabrica;
    };
    void DescargaTipo(Tipo tipo);
    // The focus back to the control that last asked for help, in front.
    void DevuelveFoco();

    QHash<QString, Registro> registros_;
    QHash<QString, QPointer<QWidget>> cargadas_;
    QPointer<QMdiArea> area_;
    QPointer<QWidget> pideAyuda_;
};

// The window as the user sees it: its frame inside the main window's area, or
// the window itself when it is top-level.
QWidget* Exterior(QWidget* ventana);
