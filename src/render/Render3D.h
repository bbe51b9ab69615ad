// CRender3D: the small software 3D engine that draws the shadow plane.
//
// It holds a scene of objects (nodes, quads, triangles, a model matrix, a
// texture number), the textures, and renders in perspective into an ARGB
// frame buffer its owner supplies. The viewer sits at the origin looking
// along +z; x grows to the right and y downwards, as in the image.
//
// Only the textured quad (mode 9) draws; other modes are accepted and draw
// nothing. Bad indices throw std::invalid_argument before anything changes.
#pragma once

#include <cstdint>

#include <vector>

#include "render/DegreeTables.h"
#include "render/Records3D.h"
#include "render/TexturedQuad.h"

class CDib;

class CRender3D {
public:
    CRender3D();

    // Binds the engine to a frame of width x height pixels, stride pixels
    // per row (at least width); clears it to the background (0), unless the
    // caller says it holds 0 already (a buffer just made), when the clear
    // would only touch every page for nothing. pTarget is kept for the owner
    // and never used here. Throws std::invalid_argument for a negative size
    // or a stride below the width.
    void Init(int32_t width, int32_t height, ARGB* pixels, int32_t stride, CDib* pTarget, bool frameIsClear = false);

    int32_t AddObject(int32_t mode, ARGB colour);
    void RemoveObject(int32_t index);
    void AddNode(int32_t object, CNode3D node);
    void AddRect(int32_t object, int32_t c0, int32_t c1, int32_t c2, int32_t c3);
    void AddTexture(int32_t width, int32_t height, const ARGB* source, int32_t sourceStride);
    void RemoveTexture(int32_t index);
    // Makes `texture` texture `index` and hands back, in `texture`, the one
    // that held that place (an empty one when index is the count: the new
    // texture is then added). Spares the copy AddTexture makes, and lets an
    // owner that rebuilds its texture reuse the old one's memory.
    void ExchangeTexture(int32_t index, CTexture3D& texture);
    void RotateObject(int32_t object, double ax, double ay, double az);
    void TranslateObject(int32_t object, double tx, double ty, double tz);

    // Makes the frame buffer hold only `window` of the frame (right and
    // bottom exclusive): `pixels` is its top-left pixel, `stride` pixels per
    // row. Renders then clear and draw only there, and every pixel there
    // comes out as in a buffer of the whole frame. Throws
    // std::invalid_argument for a window outside the frame or a stride below
    // its width.
    void SetFrameWindow(ARGB* pixels, int32_t stride, const PixelRect& window);
    const PixelRect& FrameWindow() const { return m_rcWindow; }

    // Projects the scene as Render does and returns the part of the frame its
    // faces would draw into (QuadReach of each); empty when they draw
    // nothing. Throws as Render does for a bad index.
    PixelRect Reach();

    // Clears the frame and draws every object, the last first, each object's
    // faces the last first.
    void Render();

    // The same for rows firstRow ... endRow - 1 alone (clamped to the frame);
    // the other rows keep what they hold. Each row drawn comes out exactly as
    // Render draws it: the edges are still walked from their top corners,
    // only the spans outside the band are skipped. That is also what lets
    // the worker threads draw bands of rows side by side: every band walks
    // the edges itself, and each pixel still sees the faces in scene order.
    void RenderRows(int32_t firstRow, int32_t endRow);

    // The same for the part `rect` of the frame alone (right and bottom
    // exclusive): a preview that shows a small window onto a large frame
    // clears and fills only that. Every pixel drawn comes out as Render
    // draws it; the spans are still walked from their ends.
    void RenderRect(const PixelRect& rect);

    // Checked access to the scene; the owner edits an object's model here.
    CObject3D& Object(int32_t index) { return m_arrObjects[index]; }
    int32_t GetObjectCount() const { return m_arrObjects.GetCount(); }
    const CTexture3D& Texture(int32_t index) const { return m_arrTextures[index]; }
    int32_t GetTextureCount() const { return m_arrTextures.GetCount(); }
    CCheckedArray<CLight3D>& Lights() { return m_arrLights; }

    // Rotation about x, then y, then z by whole degrees (fractions are
    // dropped toward zero), from the engine's tables.
    Matrix3D BuildRotation(double ax, double ay, double az) const;

    // Fills the node's transformed normal, screen position and depth from
    // the object's combined matrix.
    void ProjectNode(const CObject3D& object, CNode3D& node) const;

    double Sine(int i) const { return m_dSine[i]; }
    double Cosine(int i) const { return m_dCosine[i]; }

    CDib* m_pTarget;
    double m_dBase;  // the owner's base viewing distance; not read here
    double m_dCenterX, m_dCenterY;
    double m_dFocal;
    ARGB m_dwBackground;
    Matrix3D m_matScene;

private:
    // A face ready to draw: its projected corners and its texture.
    struct DrawnQuad {
        QuadCorner3D corners[4];
        const CTexture3D* texture;
    };

    void ClearRect(const PixelRect& rect);
    void ProjectObject(CObject3D& object);
    FrameTarget3D Target(const PixelRect& drawn) const;
    void CollectObjectFaces(const CObject3D& object, std::vector<DrawnQuad>& quads) const;
    void DrawBands(const std::vector<DrawnQuad>& quads);

    ARGB* m_pFrame;
    int32_t m_nStride;
    int32_t m_nWidth, m_nHeight;
    PixelRect m_rcDrawn;             // the part of the frame being drawn
    PixelRect m_rcWindow;            // the part of the frame the buffer holds
    CCheckedArray<CObject3D> m_arrObjects;
    CCheckedArray<CLight3D> m_arrLights;
    CCheckedArray<CTexture3D> m_arrTextures;
    double m_dSine[kDegreeTableSize];
    double m_dCosine[kDegreeTableSize];
};
