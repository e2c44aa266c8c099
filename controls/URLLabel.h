#pragma once

#include <QLabel>

// A label that works as a hyperlink: it holds a web address in URL, shows itself as a link
// (underlined, blue, hand cursor) while the address is valid, and opens it when clicked. With
// Highlight on, the link look shows only while the mouse is over the label.
class TURLLabel : public QLabel {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TURLLabel)
    Q_PROPERTY(QString URL READ URL WRITE setURL)
    Q_PROPERTY(bool Highlight READ Highlight WRITE setHighlight)

public:
    explicit TURLLabel(QWidget* parent = nullptr);

    QString URL() const { return url_; }
    // Stores the text as a web address: a text without "http://" or "https://" in front (in any
    // case) gets "http://" put before it; a text of blanks clears the address. Writing the
    // stored text again does nothing.
    void setURL(const QString& value);

    bool Highlight() const { return highlight_; }
    void setHighlight(bool on);

    // The label's hint, a copy of the address; kept but never shown as a tooltip.
    QString Hint() const { return hint_; }
    void setHint(const QString& hint) { hint_ = hint; }

    // An address counts as valid when, trimmed, it is longer than 12 characters.
    virtual bool HasValidURL() const;
    // Applies or removes the link look: underline (other style flags kept), colour, cursor.
    virtual void ShowAsLink(bool active);

signals:
    void clicked();
    // The second press of a double-click: it follows the click of the first and opens nothing.
    void doubleClicked();

protected:
    // Opens the address when it is valid, then fires clicked().
    virtual void Click();

    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    QString url_;
    QString hint_;
    bool highlight_ = false;
    bool pressed_ = false;
};

// Removes the characters with codes 0 to 32 from both ends of a text.
QString trimControls(const QString& text);
