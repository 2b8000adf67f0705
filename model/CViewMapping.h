#pragma once

#include "model/Geometry.h"

// How one plan view maps layout units to its device: its zoom, the numerator over the
// denominator. Each view hands its own to the engine for what the engine draws or maps for it;
// the view is named only to tell the mappings of two views at one zoom apart.
class CViewMapping {
  public:
    CViewMapping() = default;
    CViewMapping(double numerator, double denominator, const void* view = nullptr)
        : m_fNumerator(numerator), m_fDenominator(denominator), m_pView(view) {}

    double Numerator() const { return m_fNumerator; }
    double Denominator() const { return m_fDenominator; }
    // Device units a layout unit makes; 0 without a denominator.
    double Factor() const { return m_fDenominator != 0.0 ? m_fNumerator / m_fDenominator : 0.0; }
    // A layout coordinate in device units, cut to the device's range; 0 without a denominator.
    int ToDevice(double value) const {
        return m_fDenominator != 0.0 ? TruncateCoordinate(value * m_fNumerator / m_fDenominator) : 0;
    }
    const void* View() const { return m_pView; }
    // Whether the same numbers map, whichever view holds them.
    bool MapsAs(const CViewMapping& other) const {
        return m_fNumerator == other.m_fNumerator && m_fDenominator == other.m_fDenominator;
    }

  private:
    double m_fNumerator = 1.0;
    double m_fDenominator = 10.0;
    const void* m_pView = nullptr;
};
