#pragma once
// A text in caption mark-up, parsed once into lines of runs. Parsing, the run
// model and the layout decisions (wrap, placement, hit tests) are platform-
// free; drawing asks a measure (IHTMLTextMeasure) for widths.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "CMaskWord.h"
#include "HTMLGeometry.h"
#include "TextFontInfo.h"

class IHTMLCaptionHostBase;
class IHTMLTextMeasure;

class CHTMLCaption {
public:
    // Parsing reads at most this many characters of the caption.
    static constexpr size_t MaxParsedLength = 2048;

    // One tag pattern; its length counts the characters that are not "*".
    class CHMLTagElement : public CMaskWord {
    public:
        explicit CHMLTagElement(std::string_view mask);
        size_t Length() const { return m_length; }

    private:
        size_t m_length;
    };

    struct CHMLTagElementPair {
        CHMLTagElement Open;
        CHMLTagElement Close;
    };

    // The tag table, shared read-only by every caption.
    class CHMLAllTagElement {
    public:
        enum : int32_t {
            Bold, Italic, Underline, Strikeout, FgColor, BgColor, Br, CrLf, LfCr,
            SolidLine, DotLine, Right, UpLine, Img, Font, Anchor, Entity, Count
        };

        static const CHMLAllTagElement& Instance();
        virtual ~CHMLAllTagElement() = default;

        // Opening tag at the start of text: its text, or index -1 and empty.
        virtual std::string_view FindOpenTag(std::string_view text, int32_t& index) const;
        // Closing tag at the start of text, tried in table order.
        virtual std::string_view FindCloseTag(std::string_view text, int32_t& index) const;
        virtual bool IsLineBreakTag(int32_t index) const;
        virtual bool IsEntityTag(int32_t index) const;

        const std::vector<CHMLTagElementPair>& Pairs() const { return m_pairs; }

    private:
        CHMLAllTagElement();
        std::vector<CHMLTagElementPair> m_pairs;
        // Bytes that can begin an opening or closing tag: any other byte is
        // text without trying the patterns.
        bool m_openStarts[256] = {};
        bool m_closeStarts[256] = {};
    };

    // One run: text or an image, with its attributes.
    class CHTMLElement : public TextFontInfo {
    public:
        explicit CHTMLElement(CHTMLCaption& owner, std::string_view text = {});

        const std::string& Text() const { return m_text; }
        void SetText(std::string_view text) { m_text.assign(text); }
        size_t TextLength() const { return m_text.size(); }
        void ResetText() { m_text.clear(); }

        // Sets the attributes of tag index from its opening tag text, then
        // tells the owner.
        void ApplyTag(int32_t index, std::string_view tagText);

        bool HasPictureKey() const { return !m_pictureKey.empty(); }
        const std::string& PictureKey() const { return m_pictureKey; }
        int32_t IconNumber() const { return m_iconNumber; }
        bool IsImage() const { return m_iconNumber > 0 || HasPictureKey(); }
        int32_t ElementNumber() const { return m_elementNumber; }
        // The cell width of an image: an icon without a width takes the caption's icon size + 2.
        int32_t ImageWidth() const;
        // The side of an icon as its caption draws them.
        int32_t IconSize() const;

        bool IsAnchor() const { return m_anchor != 0; }
        const std::string& AnchorId() const { return m_anchorId; }
        const std::string& AnchorOptions() const { return m_anchorOptions; }

        bool IsRightAligned() const { return m_rightAligned != 0; }
        bool HasLine() const { return m_line != 0; }
        int32_t LineStyle() const { return m_lineStyle; }  // 1 solid, 2 dotted
        bool IsUpperLine() const { return m_upperLine != 0; }
        bool IsEmpty() const { return !IsImage() && m_text.empty(); }

        CHTMLCaption& Owner() const { return *m_owner; }
        IHTMLCaptionHostBase* Host() const;

        // Own attributes with the host's anchor look merged in, over base.
        TextFontInfo EffectiveFont(const TextFontInfo* base) const;
        // Width of the first n characters (0 gives 0); images take their cell.
        int32_t Width(size_t n, const IHTMLTextMeasure& measure) const;
        int32_t FullWidth(const IHTMLTextMeasure& measure) const;

    private:
        void ApplyImage();
        void ApplyFont(std::string_view tagText);
        void ApplyAnchor(std::string_view tagText);
        void ApplyEntity(std::string_view tagText);

        std::string m_text;
        int32_t m_upperLine = 0;
        int32_t m_line = 0;
        int32_t m_lineStyle = 0;
        int32_t m_rightAligned = 0;
        int32_t m_iconNumber = 0;
        std::string m_pictureKey;
        int32_t m_elementNumber = -1;
        int32_t m_imageWidth = 0;
        CHTMLCaption* m_owner;
        int32_t m_anchor = 0;
        std::string m_anchorId;
        std::string m_anchorOptions;
    };

    using Line = std::vector<CHTMLElement>;
    using Lines = std::vector<Line>;

    // Where one element sits: its cell, and the line's remaining rectangle
    // before and after the element took its width (hit tests compare them).
    struct ElementPlace {
        const CHTMLElement* Element;
        size_t LineIndex;
        HTMLRect Cell;
        HTMLRect Before;
        HTMLRect After;
    };

    CHTMLCaption();
    CHTMLCaption(const CHTMLCaption&) = delete;
    CHTMLCaption& operator=(const CHTMLCaption&) = delete;
    virtual ~CHTMLCaption();

    virtual void SetCaption(std::string_view text, IHTMLCaptionHostBase* host);
    virtual void SetCaption(std::string_view text);
    virtual int32_t FirstIconNumber() const;
    virtual const std::string& GetCaption() const { return m_caption; }
    virtual size_t CaptionLength() const { return m_caption.size(); }
    virtual std::string GetPlainText() const;
    virtual void SetAlignment(int32_t alignment) { m_alignment = alignment; }
    // The side of the icons drawn in this caption: 16, or more on a screen of higher resolution
    // (held to 1..256).
    void SetIconSize(int32_t size) { m_iconSize = size < 1 ? 1 : size > 256 ? 256 : size; }
    int32_t IconSize() const { return m_iconSize; }
    virtual void OnTagApplied(CHTMLElement& element, int32_t index, std::string_view tagText);
    virtual void Parse();
    virtual void ResetLayout();
    virtual const Lines& CurrentLines() const;
    virtual const CHMLAllTagElement& TagTable() const { return m_tags; }
    virtual CHTMLElement& AddTextElement(Line& line, std::string_view text);
    virtual Lines WrapLine(const Line& line, int32_t width, const IHTMLTextMeasure& measure) const;

    // Both flags follow on; parses again when line breaks were met, and when
    // on wraps every parsed line to the rectangle's width. Returns the
    // rectangle's left and top with the width and height of the lines.
    HTMLRect SetWordWrap(bool on, const IHTMLTextMeasure& measure, HTMLRect rect);

    int32_t LineWidth(const Line& line, const IHTMLTextMeasure& measure) const;
    int32_t MaxLineWidth(const IHTMLTextMeasure& measure) const;
    int32_t GetHeight(const IHTMLTextMeasure& measure) const;

    // Lays the current lines out in rect: vertically centred, each line by
    // the alignment, right-aligned runs from the line's right edge.
    std::vector<ElementPlace> PlaceElements(const IHTMLTextMeasure& measure, HTMLRect rect) const;
    // Index of the drawn line under pt, or -1.
    int32_t HitTestLine(const IHTMLTextMeasure& measure, HTMLRect rect, HTMLPoint pt) const;
    const CHTMLElement* HitTestElement(const IHTMLTextMeasure& measure, HTMLRect rect, HTMLPoint pt) const;
    int32_t HitTestImage(const IHTMLTextMeasure& measure, HTMLRect rect, HTMLPoint pt) const;
    const CHTMLElement* HitTestAnchor(const IHTMLTextMeasure& measure, HTMLRect rect, HTMLPoint pt) const;

    // A byte where a line may break (anything but digits and Latin-1 letters).
    static bool IsSeparator(unsigned char c);

    IHTMLCaptionHostBase* Host() const { return m_host; }
    const Lines& ParsedLines() const { return m_lines; }
    const Lines& WrappedLines() const { return m_wrapped; }
    bool IsWordWrap() const { return m_wordWrap != 0; }
    bool IsMultiLine() const { return m_multiLine != 0; }
    bool IsLineBreak() const { return static_cast<uint16_t>(m_lineBreak) != 0; }
    int32_t Alignment() const { return m_alignment; }

    // Numbers the images of the parse under way.
    int32_t NextElementNumber() { return m_elementCounter++; }

private:
    std::string m_caption;
    IHTMLCaptionHostBase* m_host = nullptr;
    Lines m_lines;
    const CHMLAllTagElement& m_tags;
    uint16_t m_wordWrap = 0;
    uint16_t m_multiLine = 0;
    uint32_t m_lineBreak = 0xFFFFFFFFu;
    Lines m_wrapped;
    int32_t m_alignment = 0;
    int32_t m_elementCounter = 0;
    int32_t m_iconSize = 16;
};
