#pragma once

#include <QWidget>

#include <memory>

class JpegPicture;

// A picture box: draws its picture at the picture's own pixel size from its top-left corner,
// never scaled or centred, cut at the box's edges; the rest of the box is transparent.
class PictureBox : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(PictureBox)
    // A picture embedded with the Qt resource system, set from the window's layout.
    Q_PROPERTY(QString resource READ resource WRITE setResource)

public:
    explicit PictureBox(QWidget* parent = nullptr);
    ~PictureBox() override;

    // Loads a picture file (see loadPictureFile()). On success the new picture replaces the
    // old one; on error the box keeps its picture and the error is thrown on.
    void loadFromFile(const QString& fileName);

    // Shows nothing; what lies beneath shows through.
    void clear();

    const JpegPicture* picture() const { return picture_.get(); }

    QString resource() const { return resource_; }
    void setResource(const QString& path);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void setPicture(std::unique_ptr<JpegPicture> picture);

    std::unique_ptr<JpegPicture> picture_;
    QString resource_;
};
