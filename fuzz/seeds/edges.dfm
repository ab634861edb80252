object Edges: TForm
  Left = 2147483647
  Top = -2147483648
  ClientWidth = 2147483647
  ClientHeight = -2147483648
  Font.Height = -2147483648
  PixelsPerInch = 2147483647
  TextHeight = -2147483648
  object Panel1: TPanel
    Left = -2147483648
    Width = 2147483647
    Align = alClient
    BorderWidth = 2147483647
    BevelWidth = 2147483647
    BevelInner = bvRaised
    object Button1: TButton
      Left = 2147483647
      Top = 2147483647
      Width = 2147483647
      Height = -2147483648
      Align = alRight
      Font.Size = 2147483647
      TabOrder = 2147483647
      ModalResult = -2147483648
    end
    object ListBox1: TListBox
      Columns = 2147483647
      ItemHeight = 2147483647
      Items.Strings = (
        'a'
        'b')
      Align = alBottom
    end
    object Edit1: TEdit
      MaxLength = -2147483648
      Text = 'x'
    end
  end
  object SpeedButton1: TSpeedButton
    GroupIndex = 2147483647
    Down = True
  end
  object Tracker: TQVTrackMouse
    Associate = <
      item
        TheControl = Panel1
      end
      item
        TheControl = Owner
      end>
    Left = 2147483647
    Top = -2147483648
  end
end
