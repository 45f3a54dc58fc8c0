#pragma once
// An image control: shows its picture unscaled from the top-left corner and
// reports pointer moves and button releases in picture pixels.
#include <QImage>
#include <QLabel>

#include <functional>

class TImagem : public QLabel {
public:
    explicit TImagem(QWidget* parent = nullptr);

    const QImage& Imagem() const { return imagem_; }
    void SetImagem(const QImage& imagem);

    // Colour of the picture's pixel; an invalid colour outside the picture.
    QColor CorDoPixel(int x, int y) const;

    std::function<void(int x, int y)> AoMover;
    std::function<void(Qt::MouseButton botao, int x, int y)> AoSoltar;

protected:
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QImage imagem_;
};
