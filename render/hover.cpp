// hover.cpp: the column under the mouse; see hover.h.
#include "render/hover.h"

#include <algorithm>

#include "query/query.h"
#include "render/columns.h"
#include "render/pick.h"
#include "store/crime_data.h"

static int project_with(const float m[16], const float p[3], float* px, float* py, float* depth)
{
    const Vec3 model = {p[0], p[1], p[2]};
    Vec3 eye;
    transform_point(m, &model, 1.0f, &eye);
    if (!(-eye.z >= FRUSTUM_NEAR))
        return 0;
    const float aspect = (float)client_width / (float)client_height;
    // the frustum maps -aspect .. aspect and 1 .. -1 at the near plane onto the pixels
    const float ndc_x = FRUSTUM_NEAR * eye.x / -eye.z / aspect;
    const float ndc_y = FRUSTUM_NEAR * eye.y / -eye.z;
    *px = (ndc_x + 1.0f) * (float)(client_width - 1) / 2.0f;
    *py = (1.0f - ndc_y) * (float)(client_height - 1) / 2.0f;
    *depth = -eye.z;
    return 1;
}

int project_to_client(const float p[3], float* px, float* py, float* depth)
{
    if (client_width < 2 || client_height < 2)
        return 0;
    float m[16];
    scene_transform(m);
    return project_with(m, p, px, py, depth);
}

struct Point2 {
    float x, y;
};

static float cross(Point2 o, Point2 a, Point2 b)
{
    return (a.x - o.x) * (b.y - o.y) - (a.y - o.y) * (b.x - o.x);
}

// Whether q lies in the convex hull of the n points (n <= 8), edges included.
static int in_hull(Point2* points, int n, Point2 q)
{
    std::sort(points, points + n, [](Point2 a, Point2 b) { return a.x < b.x || (a.x == b.x && a.y < b.y); });
    Point2 hull[16];
    int k = 0;
    for (int i = 0; i < n; i++) {  // lower chain
        while (k >= 2 && cross(hull[k - 2], hull[k - 1], points[i]) <= 0)
            k--;
        hull[k++] = points[i];
    }
    for (int i = n - 2, lower = k + 1; i >= 0; i--) {  // upper chain
        while (k >= lower && cross(hull[k - 2], hull[k - 1], points[i]) <= 0)
            k--;
        hull[k++] = points[i];
    }
    if (k < 4)
        return 0;  // a point or a line: nothing to rest on
    for (int i = 0; i + 1 < k; i++)  // counter-clockwise: q left of every edge
        if (cross(hull[i], hull[i + 1], q) < 0)
            return 0;
    return 1;
}

int hover_beat(float x, float y, BeatIndex* beat)
{
    if (client_width < 2 || client_height < 2)
        return 0;
    float m[16];
    scene_transform(m);
    const BeatIndex count = loaded_beat_count();
    int found = 0;
    float best_depth = 0.0f;
    for (BeatIndex b = 0; b < count; b++) {
        ColumnGeometry column;
        column_geometry(beats[b].lon, beats[b].lat, query_value[b], vertical_scale, &column);
        Point2 outline[8];
        float depth_sum = 0.0f;
        int in_front = 1;
        for (int c = 0; c < 8 && in_front; c++) {
            const float corner[3] = {column.x[c % 4], column.y[c % 4], c < 4 ? 0.0f : column.height};
            float depth;
            in_front = project_with(m, corner, &outline[c].x, &outline[c].y, &depth);
            depth_sum += depth;
        }
        if (!in_front || !in_hull(outline, 8, {x, y}))
            continue;
        if (!found || depth_sum < best_depth) {
            found = 1;
            best_depth = depth_sum;
            *beat = b;
        }
    }
    return found;
}
