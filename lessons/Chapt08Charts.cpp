#include "lessons/Chapt08Charts.h"

#include <QWidget>

namespace quenmark {

SnowballCharts::SnowballCharts(QWidget* page) : QObject(page), m_page(page) {}

SnowballCharts::~SnowballCharts() = default;

void SnowballCharts::showChart(int) {}

void SnowballCharts::resetForOpening() {}

} // namespace quenmark
