// Writes the benchmark windows' markup: a tree ten wide, one control in five to eight a
// container, in which every control shows and the leaves vary their attributes, so that
// every path of building, layout and painting is taken.

#include "markup.h"

#include <algorithm>
#include <sstream>

namespace bench {
namespace {

constexpr int kFanOut = 10;
constexpr int kLeavesAbove = 6;

class Writer {
public:
    std::string Window(int controls)
    {
        m_out << "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
                 "<Window size=\"1280,800\" caption=\"0,0,-1,24\">\n"
                 "  <Default name=\"Control\" value=\"bordersize=&quot;1&quot; "
                 "bordercolor=&quot;#FF3A4250&quot;\"/>\n"
                 "  <Style name=\"box\" inset=\"2,2,2,2\" bkcolor=\"#FF1E2430\" bordersize=\"1\" "
                 "bordercolor=\"#FF4A5670\"/>\n"
                 "  <Style name=\"cell\" bkcolor=\"#FF2A3242\" padding=\"1,1,0,0\"/>\n";
        Tree(controls, 1, "", 1280, 800);
        m_out << "</Window>\n";
        return m_out.str();
    }

private:
    // `count` controls in an area of width by height: one leaf, or a container holding up
    // to ten leaves at the bottom of the tree and, above it, six leaves and four subtrees
    // sharing the rest. The leaves sit in a row at the container's top; the subtrees
    // overlap below them, each shifted a little, so that every control shows.
    void Tree(int count, int depth, const std::string& place, int width, int height)
    {
        const int id = m_next++;
        if (count == 1) {
            Leaf(id, depth, place);
            return;
        }
        Indent(depth);
        m_out << "<Container name=\"c" << id << "\" style=\"box\"" << place;
        if (id % 3 == 0)
            m_out << " bkimage=\"file='image.png' corner='2,2,2,2' hole='true'\"";
        m_out << ">\n";
        const int below = count - 1;
        // A subtree holds two controls at least, so that no leaf takes a subtree's area.
        const int subtrees = below <= kFanOut ? 0 : std::min((below - kLeavesAbove) / 2, kFanOut - kLeavesAbove);
        const int leaves = subtrees == 0 ? below : kLeavesAbove;
        for (int at = 0; at < leaves; ++at)
            Tree(1, depth + 1, Rect(at * 34 % std::max(width - 34, 1), 0, 32, 16), 32, 16);
        const int rest = below - leaves;
        const int subWidth = std::max(width - 32, 40);
        const int subHeight = std::max(height - 48, 40);
        for (int at = 0; at < subtrees; ++at) {
            Tree(rest / subtrees + (at < rest % subtrees ? 1 : 0), depth + 1, Rect(at * 8, 20 + at * 6, subWidth, subHeight),
                 subWidth, subHeight);
        }
        Indent(depth);
        m_out << "</Container>\n";
    }

    static std::string Rect(int x, int y, int width, int height)
    {
        std::ostringstream out;
        out << " float=\"true\" pos=\"" << x << ',' << y << ',' << x + width << ',' << y + height << '"';
        return out.str();
    }

    // A leaf at its place, or, one in two, placed by the container's own rules.
    void Leaf(int id, int depth, const std::string& place)
    {
        Indent(depth);
        m_out << "<Control name=\"c" << id << "\"";
        switch (id % 4) {
        case 0:
            m_out << place << " bkcolor=\"#FF5CB85C\"";
            break;
        case 1:  // a class, with an image by attribute string
            m_out << " style=\"cell\" width=\"30\" height=\"16\" bkimage=\"file='image.png' dest='2,2,12,12' fade='200'\"";
            break;
        case 2:  // anchored to the far corner
            m_out << " width=\"24\" height=\"12\" padding=\"0,0,3,3\" anchoralign=\"right,bottom\" bkcolor=\"#FFD9534F\"";
            break;
        default:  // a tiled image
            m_out << place << " minwidth=\"20\" minheight=\"10\" bkimage=\"file='image.png' xtiled='true' ytiled='true'\"";
            break;
        }
        m_out << "/>\n";
    }

    void Indent(int depth)
    {
        for (int i = 0; i < depth; ++i)
            m_out << "  ";
    }

    std::ostringstream m_out;
    int m_next = 0;
};

}  // namespace

std::string WindowMarkup(int controls)
{
    return Writer().Window(controls < 1 ? 1 : controls);
}

std::string ListMarkup(int controls)
{
    // The list itself, then rows of one horizontal layout and up to nine leaves.
    const int below = std::max(controls - 1, 1);
    const int rows = std::max((below + 9) / 10, 1);
    const int leaves = below - rows;
    std::ostringstream out;
    out << "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
           "<Window size=\"1280,800\">\n"
           "  <VerticalLayout name=\"list\" vscrollbar=\"true\" bkcolor=\"#FF1E2430\">\n";
    int id = 0;
    for (int row = 0; row < rows; ++row) {
        out << "    <HorizontalLayout name=\"r" << row << "\" height=\"16\">\n";
        const int count = leaves / rows + (row < leaves % rows ? 1 : 0);
        for (int at = 0; at < count; ++at)
            out << "      <Control name=\"l" << id++ << "\" width=\"30\" bkcolor=\"#FF5CB85C\"/>\n";
        out << "    </HorizontalLayout>\n";
    }
    out << "  </VerticalLayout>\n</Window>\n";
    return out.str();
}

}  // namespace bench
