object Form1: TForm
  Caption = 'object T: TX'
  Icon.Data = {
    0000}
  object Panel1: TPanel
    Caption = 'a' +
      'b'
    object T: TQVTrackMouse
      Associate = <
        item
          TheControl = Panel1
          Nested = <
            item
              X = 1
            end>
        end>
      Bounding = False
    end
    object T2: TQVTrackMouse
      Items.Strings = (
        'end'
        'x)')
    end
  end
end
