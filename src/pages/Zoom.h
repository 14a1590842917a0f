#pragma once

#include <QString>

class QTextDocument;
class RegistryStore;

// The zoom steps of page and text views, in per cent.
namespace Zoom {

constexpr int kNormal = 100;
int StepIn(int percent);
int StepOut(int percent);
// The nearest step to a stored or hand-made value.
int Nearest(int percent);

// Multiplies every font size the document's text names by `ratio`.
void ScaleExplicitSizes(QTextDocument& document, double ratio);

} // namespace Zoom

// The zoom each kind of view was left at, kept in the user's settings.
class ZoomMemory {
public:
    explicit ZoomMemory(RegistryStore& registry) : m_registry(registry) {}
    int level(const QString& kind) const;
    void setLevel(const QString& kind, int percent);

private:
    RegistryStore& m_registry;
};
