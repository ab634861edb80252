object TestForm: TTestForm
  Left = 10
  Top = 20
  Width = 300
  Height = 200
  Caption = 'Main'#39's form'
  OnClick = ButtonClick
  object Button1: TTestControl
    Left = 8
    Top = 8
    Width = 75
    Height = 25
    Caption = 'Press'
    Visible = False
    Align = taTop
    Ratio = 1.5
    Big = 5000000000
    Font.Color = tcRed
    Font.Height = -12
    Font.Style = [tsBold, tsUnderline]
    Buddy = Panel1
    OnClick = ButtonClick
    object Inner: TTestControl
      Caption = 'inner'
      Buddy = Owner
    end
  end
  object Panel1: TTestControl
    Left = 100
    Font.Color = 254
    Font.Name = 'Courier New'
  end
  object Watcher: TTestWatcher
    Items = <
      item
        TheControl = Button1
      end
      item
        TheControl = Owner
      end>
    Enabled = False
    Left = 352
    Top = 152
  end
end
